#!/usr/bin/env bash
# Sets everything up, starts a private Firebird server for the network-mode tests and runs
# every test through ctest; the server is stopped again at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
root=$PWD
server=$root/build/firebird-server
port=$("$root"/scripts/firebird-server.sh start "$server")
trap '"$root"/scripts/firebird-server.sh stop "$server"' EXIT
export ESTOCARIUM_FB_SERVER=localhost/$port
# The whole run also builds, checks and tries the package, first, so that ctest's summary ends the output.
[ $# -gt 0 ] || scripts/package-check.sh
cd build
ctest --output-on-failure --timeout 900 "$@"
