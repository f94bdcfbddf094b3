#!/usr/bin/env bash
# Speed of the reports next to two references, side by side in rounds:
#   1. the users report with 9,999 users (about 270 pages), from the database to PDF, against a bare
#      Qt program that reads the same rows and logo and paints the same layout (bands, logo, colours,
#      total) with QPdfWriter (benchmarks/bench_report_reference.cpp), and against LibreOffice
#      converting the same list from CSV to PDF, headless: what a user would pick instead, which
#      draws no header band, logo, colours or total;
#   2. the report engine alone on 100,000 in-memory records (about 2,700 pages), to PDF and CSV,
#      against LibreOffice on the same list.
# On stderr also the same work on a list a tenth as long: pages are written as they are laid out, so
# peak memory does not grow with the pages already written.
#   scripts/bench-reports.sh [ROUNDS]   default 3; BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
ROUNDS=${1:-3}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if ! command -v soffice >/dev/null; then
    echo "Installing LibreOffice Calc for the comparison..." >&2
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libreoffice-calc >/dev/null
fi
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
fi
cmake --build "$BUILD_DIR" --target estocarium-db bench_report_engine bench_report_reference >/dev/null

# LibreOffice with a profile of its own, made beforehand so that it is not part of the timing.
LO_PROFILE="file://$WORK/lo-profile"
printf 'a;b\n1;2\n' >"$WORK/warmup.csv"
soffice -env:UserInstallation="$LO_PROFILE" --headless --convert-to pdf --outdir "$WORK" "$WORK/warmup.csv" >/dev/null 2>&1
libreoffice_pdf() { # CSV separated by ';', UTF-8, to PDF
    measure soffice -env:UserInstallation="$LO_PROFILE" --headless --infilter="CSV:59,34,76,1" \
        --convert-to pdf --outdir "$WORK/lo" "$1"
}
pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
note() { # label milliseconds peak-KiB pdf
    printf '  %-44s %9.1f ms  %8d KiB peak  %6s pages\n' "$1" "$2" "$3" "$(pages "$4")" >&2
}

"$BUILD_DIR/estocarium-db" create "$WORK/db" --users 9998 >/dev/null
"$BUILD_DIR/estocarium-db" create "$WORK/db-small" --users 998 >/dev/null
report() { # database folder, format, output
    measure "$BUILD_DIR/estocarium-db" report usuarios "$1" --format "$2" --out "$3"
}
read -r ms_small kib_small < <(report "$WORK/db-small" pdf "$WORK/small.pdf")
report "$WORK/db" csv "$WORK/usuarios.csv" >/dev/null
: >"$WORK/qt" && : >"$WORK/lo-users"
for round in $(seq 1 "$ROUNDS"); do
    read -r ms_pdf kib_pdf < <(report "$WORK/db" pdf "$WORK/usuarios.pdf")
    read -r ms_qt kib_qt < <(measure "$BUILD_DIR/benchmarks/bench_report_reference" "$WORK/db" "$WORK/qt.pdf")
    read -r ms_lo kib_lo < <(libreoffice_pdf "$WORK/usuarios.csv")
    echo "$ms_pdf $ms_qt $kib_pdf $kib_qt" >>"$WORK/qt"
    echo "$ms_pdf $ms_lo $kib_pdf $kib_lo" >>"$WORK/lo-users"
    echo "users report round $round/$ROUNDS: ours $ms_pdf ms, QPdfWriter $ms_qt ms, LibreOffice $ms_lo ms" >&2
done
echo "Users report, from the database (estocarium-db report usuarios), last round" >&2
note "ours, 999 users to PDF" "$ms_small" "$kib_small" "$WORK/small.pdf"
note "ours, 9,999 users to PDF" "$ms_pdf" "$kib_pdf" "$WORK/usuarios.pdf"
note "bare Qt program, QPdfWriter, the same layout" "$ms_qt" "$kib_qt" "$WORK/qt.pdf"
note "LibreOffice, the 9,999-user CSV to PDF" "$ms_lo" "$kib_lo" "$WORK/lo/usuarios.pdf"
summarise "users report, 9,999 users to PDF (bare Qt program: the same layout with QPdfWriter)" "$WORK/qt"
summarise "users report, 9,999 users to PDF (LibreOffice from CSV: no header band, logo, colours or total)" \
    "$WORK/lo-users"

mkdir -p "$WORK/engine-small" "$WORK/engine"
read -r ms_esmall kib_esmall < <(measure "$BUILD_DIR/benchmarks/bench_report_engine" 10000 "$WORK/engine-small")
: >"$WORK/lo-engine"
for round in $(seq 1 "$ROUNDS"); do
    read -r ms_engine kib_engine < <(measure "$BUILD_DIR/benchmarks/bench_report_engine" 100000 "$WORK/engine")
    read -r ms_elo kib_elo < <(libreoffice_pdf "$WORK/engine/lista.csv")
    echo "$ms_engine $ms_elo $kib_engine $kib_elo" >>"$WORK/lo-engine"
    echo "engine round $round/$ROUNDS: ours $ms_engine ms, LibreOffice $ms_elo ms" >&2
done
echo "Report engine alone, in-memory records (bench_report_engine, PDF and CSV), last round" >&2
note "ours, 10,000 records" "$ms_esmall" "$kib_esmall" "$WORK/engine-small/lista.pdf"
note "ours, 100,000 records" "$ms_engine" "$kib_engine" "$WORK/engine/lista.pdf"
note "LibreOffice, the 100,000-record CSV to PDF" "$ms_elo" "$kib_elo" "$WORK/lo/lista.pdf"
summarise "report engine, 100,000 records to PDF and CSV (LibreOffice from CSV)" "$WORK/lo-engine"
