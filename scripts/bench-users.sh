#!/usr/bin/env bash
# Speed of the user list with 9,999 users, side by side with isql-fb fetching the same SELECT, in
# rounds that run both sides in turn:
#   first fetch: a fresh bench_users process opens the list's record set once after attaching;
#     isql-fb's share is its run fetching the list once less its run fetching one row (start-up
#     and attach taken out, the page cache as cold as ours); each the fastest of three runs;
#   warm fetch: the record set re-opened in one process (median of 20); isql-fb's share is its
#     run fetching the list 11 times less its run fetching it once, divided by 10.
# Peak memory: ours is bench_users's own (the window and the list), isql-fb's its run with the list.
#   scripts/bench-users.sh [ROUNDS]     default 7; BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
ROUNDS=${1:-7}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target bench_users >/dev/null
db="$WORK/LICITACAO.FDB"
"$BUILD_DIR/benchmarks/bench_users" prepare "$db" >&2

list="SELECT A.IDUSUARIO, UPPER(A.USUARIO) AS USUARIO, UPPER(A.CPF) AS CPF FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO;"
echo "$list" >"$WORK/list.sql"
for _ in $(seq 1 11); do echo "$list"; done >"$WORK/list11.sql"
echo "SELECT 1 FROM RDB\$DATABASE;" >"$WORK/one-row.sql"
# isql-fb's shares are differences of whole runs, which the machine's other work blurs: each
# side's figure in a round is the fastest of three runs.
isql() {
    for _ in 1 2 3; do measure isql-fb -q -user SYSDBA -ch WIN1252 "$db" -i "$1"; done |
        sort -n | awk 'NR == 1 { ms = $1 } { if ($2 > kib) kib = $2 } END { print ms, kib }'
}
value() { awk -F '\t' -v name="$1" '$1 == name { print $2 }' "$2"; }

: >"$WORK/first" && : >"$WORK/warm"
for round in $(seq 1 "$ROUNDS"); do
    for run in 1 2 3; do
        "$BUILD_DIR/benchmarks/bench_users" first "$db" >"$WORK/ours-first-$run.tsv" 2>/dev/null
    done
    fastest=$(for run in 1 2 3; do echo "$(value first "$WORK/ours-first-$run.tsv") $run"; done | sort -n | head -1)
    cp "$WORK/ours-first-${fastest##* }.tsv" "$WORK/ours-first.tsv"
    read -r one_ms _ < <(isql "$WORK/one-row.sql")
    read -r list_ms list_kib < <(isql "$WORK/list.sql")
    read -r list11_ms _ < <(isql "$WORK/list11.sql")
    "$BUILD_DIR/benchmarks/bench_users" measure "$db" >"$WORK/ours.tsv" 2>/dev/null
    first_ref=$(awk -v a="$list_ms" -v b="$one_ms" 'BEGIN { printf "%.2f", a - b }')
    warm_ref=$(awk -v a="$list11_ms" -v b="$list_ms" 'BEGIN { printf "%.3f", (a - b) / 10 }')
    echo "$(value first "$WORK/ours-first.tsv") $first_ref $(value peak "$WORK/ours-first.tsv") $list_kib" >>"$WORK/first"
    echo "$(value fetch "$WORK/ours.tsv") $warm_ref $(value peak "$WORK/ours.tsv") $list_kib" >>"$WORK/warm"
    echo "round $round/$ROUNDS: first $(tail -1 "$WORK/first"); warm $(tail -1 "$WORK/warm"); refresh in the window $(value refresh "$WORK/ours.tsv") ms; the record set holds $(value kib_per_row "$WORK/ours-first.tsv") KiB per row" >&2
done
summarise "user list, 9,999 users: first query and fetch in a fresh process (isql-fb, the same)" "$WORK/first"
summarise "user list, 9,999 users: query and fetch again, warm (isql-fb, the same)" "$WORK/warm"
