#!/usr/bin/env bash
# The fixed cost of estocarium-db, side by side with isql-fb in rounds: a report of one user to
# CSV and to PDF against isql-fb starting, attaching the same database, running the report's
# SELECT and detaching; --version against isql-fb -z. Both sides load the same embedded engine.
#   scripts/bench-tool.sh [ROUNDS]      default 15; BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
ROUNDS=${1:-15}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target estocarium-db >/dev/null
"$BUILD_DIR/estocarium-db" create "$WORK/db" >/dev/null
echo "SELECT A.IDUSUARIO, A.USUARIO, A.CPF FROM USUARIOS_ESTOC A ORDER BY A.IDUSUARIO;" >"$WORK/select.sql"

: >"$WORK/csv" && : >"$WORK/pdf" && : >"$WORK/version"
for round in $(seq 1 "$ROUNDS"); do
    read -r isql_ms isql_kib < <(measure isql-fb -q -user SYSDBA -ch WIN1252 "$WORK/db/LICITACAO.FDB" -i "$WORK/select.sql")
    read -r csv_ms csv_kib < <(measure "$BUILD_DIR/estocarium-db" report usuarios "$WORK/db" --format csv --out "$WORK/one.csv")
    read -r pdf_ms pdf_kib < <(measure "$BUILD_DIR/estocarium-db" report usuarios "$WORK/db" --format pdf --out "$WORK/one.pdf")
    read -r z_ms z_kib < <(measure isql-fb -z -q -i /dev/null)
    read -r version_ms version_kib < <(measure "$BUILD_DIR/estocarium-db" --version)
    echo "$csv_ms $isql_ms $csv_kib $isql_kib" >>"$WORK/csv"
    echo "$pdf_ms $isql_ms $pdf_kib $isql_kib" >>"$WORK/pdf"
    echo "$version_ms $z_ms $version_kib $z_kib" >>"$WORK/version"
    echo "round $round/$ROUNDS: isql-fb $isql_ms ms, report CSV $csv_ms ms, PDF $pdf_ms ms; --version $version_ms ms, isql-fb -z $z_ms ms" >&2
done
summarise "estocarium-db report, one user, to CSV (isql-fb: start, attach, the same SELECT, detach)" "$WORK/csv"
summarise "estocarium-db report, one user, to PDF with the logo (isql-fb: the same)" "$WORK/pdf"
summarise "estocarium-db --version (isql-fb -z)" "$WORK/version"
