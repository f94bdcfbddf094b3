#!/usr/bin/env bash
# Schema updates I and II on a new, empty database: `estocarium-db update` against isql-fb running the
# same statements of the two catalogues as one script, each on a copy of the same empty database with
# forced writes off (the disk's flushes would drown the difference). Update II detaches and attaches
# again before each of its DROP statements; the script makes the same reconnections with CONNECT.
# The two sides run in turn, RUNS rounds.
#   scripts/bench-schema.sh [RUNS]      default 9; BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
RUNS=${1:-9}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target estocarium-db >/dev/null
command -v jq >/dev/null || {
    echo "Installing jq to turn the catalogues into an isql-fb script..." >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends jq >/dev/null
}

# The empty database both sides start from.
echo "CREATE DATABASE '$WORK/EMPTY.FDB' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;" |
    isql-fb -q -user SYSDBA >/dev/null
gfix -user SYSDBA -write async "$WORK/EMPTY.FDB"

# The catalogues as an isql-fb script: trigger bodies hold ';', so statements end with '^'. The
# database is always the same copy, so the reconnections can name it.
isql_db="$WORK/isql/LICITACAO.FDB"
{
    echo "SET TERM ^ ;"
    "$BUILD_DIR/estocarium-db" catalogue I | jq -r '.[] + "^"'
    "$BUILD_DIR/estocarium-db" catalogue II |
        jq -r --arg db "$isql_db" 'to_entries[] | (if .key % 2 == 0 then "CONNECT '"'"'\($db)'"'"' USER SYSDBA^\n" else "" end) + .value + "^"'
} >"$WORK/updates.sql"
echo "schema updates: $(grep -c '^CONNECT' "$WORK/updates.sql") reconnections in the isql-fb script" >&2

fresh() { # NAME: a copy of the empty database in a folder of its own; prints the folder
    mkdir -p "$WORK/$1"
    cp "$WORK/EMPTY.FDB" "$WORK/$1/LICITACAO.FDB"
    echo "$WORK/$1"
}
: >"$WORK/rounds"
for _ in $(seq 1 "$RUNS"); do
    read -r ours_ms ours_kib < <(measure "$BUILD_DIR/estocarium-db" update "$(fresh ours)")
    fresh isql >/dev/null
    read -r isql_ms isql_kib < <(measure_any_status isql-fb -q -user SYSDBA -ch UTF8 -i "$WORK/updates.sql" "$isql_db")
    echo "$ours_ms $isql_ms $ours_kib $isql_kib" >>"$WORK/rounds"
done

# Both sides must have done the same work: the same tables and triggers in the end.
objects() {
    printf "SET HEADING OFF;\nSELECT COUNT(*) FROM RDB\$RELATIONS WHERE RDB\$SYSTEM_FLAG = 0;\nSELECT COUNT(*) FROM RDB\$TRIGGERS WHERE RDB\$SYSTEM_FLAG = 0;\n" |
        isql-fb -q -user SYSDBA "$1" | tr -s ' \n' ' '
}
if [ "$(objects "$WORK/ours/LICITACAO.FDB")" != "$(objects "$WORK/isql/LICITACAO.FDB")" ]; then
    echo "the two databases differ: $(objects "$WORK/ours/LICITACAO.FDB") against $(objects "$WORK/isql/LICITACAO.FDB")" >&2
    exit 1
fi
echo "schema updates: user tables and triggers afterwards, both sides:$(objects "$WORK/ours/LICITACAO.FDB")" >&2
summarise "schema updates I and II, empty database (isql-fb, the same statements and reconnections)" "$WORK/rounds"
