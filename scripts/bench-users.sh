#!/usr/bin/env bash
# Speed of the user list with 9,999 users, side by side with isql-fb fetching the same SELECT: the
# reference is isql-fb's run with the list less its run with one row, that is the list's own share
# without isql-fb's start-up and attach (medians of 10 runs).
#   scripts/bench-users.sh          BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target bench_users >/dev/null
db="$WORK/LICITACAO.FDB"
"$BUILD_DIR/benchmarks/bench_users" prepare "$db" >&2

echo "SELECT A.IDUSUARIO, UPPER(A.USUARIO) AS USUARIO, UPPER(A.CPF) AS CPF FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO;" >"$WORK/list.sql"
echo "SELECT 1 FROM RDB\$DATABASE;" >"$WORK/nothing.sql"
isql() { measure_median 10 isql-fb -q -user SYSDBA -ch WIN1252 "$db" -i "$1"; }
read -r list_ms list_kib < <(isql "$WORK/list.sql")
read -r nothing_ms _ < <(isql "$WORK/nothing.sql")
reference_ms=$(awk -v a="$list_ms" -v b="$nothing_ms" 'BEGIN { printf "%.1f", a - b }')
echo "isql-fb: start, attach, fetch the list $list_ms ms; fetch one row $nothing_ms ms; the list's share $reference_ms ms" >&2

"$BUILD_DIR/benchmarks/bench_users" measure "$db" >"$WORK/ours.tsv"
ours() { awk -F '\t' -v name="$1" '$1 == name { print $2 }' "$WORK/ours.tsv"; }
result "user list, 9,999 users: query and fetch (isql-fb)" "$(ours fetch)" "$reference_ms" "$(ours peak)" "$list_kib"
result "user list, 9,999 users: refresh in the window (isql-fb)" "$(ours refresh)" "$reference_ms" "$(ours peak)" "$list_kib"
