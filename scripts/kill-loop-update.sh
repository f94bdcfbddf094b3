#!/usr/bin/env bash
# `estocarium-db update` killed with SIGKILL at a random moment (KILL_FROM_MS plus up to KILL_SPAN_MS,
# by default 10-710 ms) on a new, empty database,
# RUNS times. After each kill: the marker and its copy are looked for, the update is run once more
# and the schema checked (catalogue counts, no table without a format, gfix -v); then the copy the
# marker names is put back with `estocarium-db restore`, the update run again and the schema checked.
#   scripts/kill-loop-update.sh [RUNS]    default 30; BUILD_DIR picks the build folder (default build)
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
RUNS=${1:-30}
KILL_FROM_MS=${KILL_FROM_MS:-10}
KILL_SPAN_MS=${KILL_SPAN_MS:-700}
TOOL=$BUILD_DIR/estocarium-db
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
# The program's own engine folder, so that isql-fb and gfix share the file with the tool.
export FIREBIRD=${FIREBIRD:-$HOME/.cache/estocarium/firebird}

sql() { isql-fb -q -user SYSDBA "$1" 2>&1; }

# "whole" when both updates' objects are all there and no table lacks its format; gfix's findings
# (orphan pages, index warnings of the pages the killed process left) are counted apart.
schema_state() {
    local db=$1 counts
    counts=$(sql "$db" <<'SQL' | tr -s ' \n' ' '
SET HEADING OFF;
SELECT (SELECT COUNT(*) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL
        AND RDB$FORMAT IS NOT NULL),
       (SELECT COUNT(*) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$FORMAT IS NULL
        AND RDB$VIEW_BLR IS NULL),
       (SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'),
       (SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_TYPE = 'FOREIGN KEY'),
       (SELECT COUNT(*) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0)
FROM RDB$DATABASE;
SQL
    )
    if [ "$(echo $counts)" != "37 0 37 13 14" ]; then
        echo "incomplete ($counts)"
    else
        echo whole
    fi
}

runs=0 interrupted=0 marked=0 rerun_whole=0 damage_named=0 false_success=0 crashes=0
restored=0 restored_whole=0 gfix_findings=0
for ((i = 1; i <= RUNS; i++)); do
    dir=$WORK/run$i
    mkdir -p "$dir"
    db=$dir/LICITACAO.FDB
    echo "CREATE DATABASE '$db' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;" | isql-fb -q -user SYSDBA
    runs=$((runs + 1))
    "$TOOL" update "$dir" >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v ms=$((KILL_FROM_MS + RANDOM % KILL_SPAN_MS)) 'BEGIN { printf "%.3f", ms / 1000 }')"
    if kill -KILL "$pid" 2>/dev/null; then
        interrupted=$((interrupted + 1))
    fi
    wait "$pid" 2>/dev/null
    copy=$(sed -n 's/^copia=//p' "$db.atualizando" 2>/dev/null)
    [ -n "$copy" ] && marked=$((marked + 1))

    "$TOOL" update "$dir" >"$dir/out" 2>"$dir/err"
    code=$?
    state=$(schema_state "$db")
    findings=$(gfix -user SYSDBA -v -full -n "$db" 2>&1 | tr '\n' ' ' | cut -c1-160)
    [ -n "$findings" ] && gfix_findings=$((gfix_findings + 1))
    if [ $code -gt 128 ]; then
        crashes=$((crashes + 1))
    elif [ $code -eq 0 ]; then
        if [ "$state" = whole ]; then rerun_whole=$((rerun_whole + 1)); else false_success=$((false_success + 1)); fi
    elif grep -q "está danificado" "$dir/err"; then
        damage_named=$((damage_named + 1))
    fi
    echo "run $i: marker ${copy:+yes}${copy:-no}; rerun exit $code, $state; gfix: ${findings:-nothing}" >&2

    if [ -n "$copy" ]; then
        if "$TOOL" restore "$dir" "$copy" >/dev/null 2>>"$dir/err"; then
            restored=$((restored + 1))
            "$TOOL" update "$dir" >/dev/null 2>&1
            [ "$(schema_state "$db")" = whole ] && restored_whole=$((restored_whole + 1))
        fi
    fi
    rm -rf "$dir"
done

echo "runs $runs, interrupted $interrupted, marker left $marked"
echo "after one rerun: whole $rerun_whole, stopped naming the damage $damage_named," \
    "exit 0 over an incomplete schema $false_success, crashed $crashes; gfix findings $gfix_findings"
echo "copy put back $restored, whole after the copy and one update $restored_whole"
