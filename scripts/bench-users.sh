#!/usr/bin/env bash
# Speed of the user list with 9,999 users, side by side with isql-fb fetching the same SELECT.
#   scripts/bench-users.sh [build folder]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cmake --build "$build" --target bench_users >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/LICITACAO.FDB"
"$build/benchmarks/bench_users" prepare "$db"

select="SELECT A.IDUSUARIO, UPPER(A.USUARIO) AS USUARIO, UPPER(A.CPF) AS CPF FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO;"
echo "$select" >"$work/list.sql"
echo "SELECT 1 FROM RDB\$DATABASE;" >"$work/nothing.sql"

# Median wall time, in milliseconds, of ten runs of isql-fb with one script, output discarded.
isql_ms() {
    for _ in $(seq 1 10); do
        start=$(date +%s%N)
        isql-fb -q -user SYSDBA -ch WIN1252 "$db" -i "$1" >/dev/null
        echo $((($(date +%s%N) - start) / 1000))
    done | sort -n | sed -n 5p | awk '{ printf "%.3f", $1 / 1000 }'
}
echo "== reference: isql-fb, same database file, output to /dev/null (median of 10) =="
list=$(isql_ms "$work/list.sql")
nothing=$(isql_ms "$work/nothing.sql")
echo "isql-fb: start, attach, fetch the list:          $list ms"
echo "isql-fb: start, attach, fetch one row:           $nothing ms"
echo "isql-fb: the list's own share (difference):      $(awk "BEGIN { printf \"%.3f\", $list - $nothing }") ms"
echo "== Estocarium user list =="
"$build/benchmarks/bench_users" measure "$db"
