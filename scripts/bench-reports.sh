#!/usr/bin/env bash
# Speed of the reports next to what a user would pick instead for a printable list: LibreOffice
# converting the same list from CSV to PDF, headless.
#   1. the users report with 9,999 users (about 270 pages), from the database to PDF;
#   2. the report engine alone on 100,000 in-memory records (about 2,700 pages), to PDF and CSV.
# On stderr also the same work on a list a tenth as long: pages are written as they are laid out, so
# peak memory does not grow with the pages already written.
#   scripts/bench-reports.sh        BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
BUILD_DIR=${BUILD_DIR:-build}
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
cmake --build "$BUILD_DIR" --target estocarium-db bench_report_engine >/dev/null

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
read -r ms_pdf kib_pdf < <(report "$WORK/db" pdf "$WORK/usuarios.pdf")
report "$WORK/db" csv "$WORK/usuarios.csv" >/dev/null
read -r ms_lo kib_lo < <(libreoffice_pdf "$WORK/usuarios.csv")
echo "Users report, from the database (estocarium-db report usuarios)" >&2
note "ours, 999 users to PDF" "$ms_small" "$kib_small" "$WORK/small.pdf"
note "ours, 9,999 users to PDF" "$ms_pdf" "$kib_pdf" "$WORK/usuarios.pdf"
note "LibreOffice, the 9,999-user CSV to PDF" "$ms_lo" "$kib_lo" "$WORK/lo/usuarios.pdf"
result "users report, 9,999 users to PDF (LibreOffice from CSV)" "$ms_pdf" "$ms_lo" "$kib_pdf" "$kib_lo"

mkdir -p "$WORK/engine-small" "$WORK/engine"
read -r ms_esmall kib_esmall < <(measure "$BUILD_DIR/benchmarks/bench_report_engine" 10000 "$WORK/engine-small")
read -r ms_engine kib_engine < <(measure "$BUILD_DIR/benchmarks/bench_report_engine" 100000 "$WORK/engine")
read -r ms_elo kib_elo < <(libreoffice_pdf "$WORK/engine/lista.csv")
echo "Report engine alone, in-memory records (bench_report_engine, PDF and CSV)" >&2
note "ours, 10,000 records" "$ms_esmall" "$kib_esmall" "$WORK/engine-small/lista.pdf"
note "ours, 100,000 records" "$ms_engine" "$kib_engine" "$WORK/engine/lista.pdf"
note "LibreOffice, the 100,000-record CSV to PDF" "$ms_elo" "$kib_elo" "$WORK/lo/lista.pdf"
result "report engine, 100,000 records to PDF and CSV (LibreOffice from CSV)" "$ms_engine" "$ms_elo" "$kib_engine" "$kib_elo"
