#!/usr/bin/env bash
# Times the user seeding of `estocarium-db create --users N` against isql-fb running the same inserts
# (benchmarks/bench_seed.cpp, which runs both in turn and says why isql-fb cannot use one prepared
# statement); one line for scripts/bench.sh on stdout, the figures on stderr. Our peak memory is that
# of `estocarium-db create --users N` itself, not of the benchmark program.
#   scripts/bench-seed.sh [N] [RUNS]     defaults: 9998 users, 7 runs; BUILD_DIR picks the build folder
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
USERS=${1:-9998}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target bench_seed estocarium-db >/dev/null
read -r _ create_kib < <(measure "$BUILD_DIR/estocarium-db" create "$WORK/create" --users "$USERS")
"$BUILD_DIR/benchmarks/bench_seed" "$USERS" "${2:-7}" | awk -v peak="$create_kib" '{ $3 = peak; print }' >"$WORK/rounds"
summarise "seeding $USERS users, inserts alone (isql-fb: the same rows as INSERT texts)" "$WORK/rounds"
