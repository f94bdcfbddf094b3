#!/usr/bin/env bash
# Sets everything up, starts the loopback Firebird server and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/firebird-server.sh start
export ESTOCARIUM_FB_SERVER=localhost
cd build
ctest --output-on-failure --timeout 900 "$@"
[ $# -gt 0 ] || ../scripts/package-check.sh # the whole run also builds, checks and tries the package
