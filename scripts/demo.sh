#!/usr/bin/env bash
# Sets everything up, builds the two programs alone, prepares the demo working folder demo/ (once)
# and starts the program in it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh estocarium estocarium-db
if [ ! -e demo/LICITACAO.FDB ]; then
    mkdir -p demo
    build/estocarium-db create demo --users 25
fi
cd demo
exec ../build/estocarium
