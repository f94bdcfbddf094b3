#!/usr/bin/env bash
# Times the user seeding of `estocarium-db create --users N` against isql-fb running the same inserts;
# one line for scripts/bench.sh on stdout, the figures on stderr.
#   scripts/bench-seed.sh [N] [RUNS]     defaults: 9998 users, 5 runs; BUILD_DIR picks the build folder
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target bench_seed >/dev/null
"$BUILD_DIR/benchmarks/bench_seed" "${1:-9998}" "${2:-5}"
