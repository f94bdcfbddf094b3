#!/usr/bin/env bash
# Speed of the reports next to what a user would pick instead for a printable list: LibreOffice
# converting the same list from CSV to PDF, headless.
#   1. the users report with 9,999 users (about 270 pages), from the database to PDF and to CSV;
#   2. the report engine alone on 100,000 in-memory records (about 2,700 pages).
# Peak memory is shown for a list a tenth as long too: pages are written as they are laid out,
# so it does not grow with the pages already written.
#   scripts/bench-reports.sh        BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

if ! command -v soffice >/dev/null; then
    echo "Installing LibreOffice Calc for the comparison..." >&2
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libreoffice-calc >/dev/null
fi
cmake -S . -B "$BUILD_DIR" -G Ninja >/dev/null
cmake --build "$BUILD_DIR" --target estocarium-db bench_report_engine >/dev/null
export QT_QPA_PLATFORM=offscreen

# measure CMD...: prints "seconds peak-kB" of the command (GNU time).
measure() {
    /usr/bin/time -f "%e %M" -o "$WORK/time" "$@" >"$WORK/out" 2>"$WORK/err" || { cat "$WORK/err" >&2; exit 1; }
    cat "$WORK/time"
}

# LibreOffice with a profile of its own, made beforehand so that it is not part of the timing.
LO_PROFILE="file://$WORK/lo-profile"
printf 'a;b\n1;2\n' >"$WORK/warmup.csv"
soffice -env:UserInstallation="$LO_PROFILE" --headless --convert-to pdf --outdir "$WORK" "$WORK/warmup.csv" >/dev/null 2>&1
libreoffice_pdf() { # CSV separated by ';', UTF-8, to PDF
    measure soffice -env:UserInstallation="$LO_PROFILE" --headless --infilter="CSV:59,34,76,1" \
        --convert-to pdf --outdir "$WORK/lo" "$1"
}
pages() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }
row() { # label seconds peak-kB pages
    printf '  %-44s %8.2f s  %8d kB peak  %6s pages\n' "$1" "$2" "$3" "$4"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "  LibreOffice / ours: %.0f times\n", a / (b > 0.01 ? b : 0.01) }'; }

echo "Users report, from the database (estocarium-db report usuarios)"
"$BUILD_DIR/estocarium-db" create "$WORK/db" --users 9998 >/dev/null
"$BUILD_DIR/estocarium-db" create "$WORK/db-small" --users 998 >/dev/null
read -r s_small m_small < <(measure "$BUILD_DIR/estocarium-db" report usuarios "$WORK/db-small" --format pdf --out "$WORK/small.pdf")
read -r s_pdf m_pdf < <(measure "$BUILD_DIR/estocarium-db" report usuarios "$WORK/db" --format pdf --out "$WORK/usuarios.pdf")
read -r s_csv m_csv < <(measure "$BUILD_DIR/estocarium-db" report usuarios "$WORK/db" --format csv --out "$WORK/usuarios.csv")
read -r s_lo m_lo < <(libreoffice_pdf "$WORK/usuarios.csv")
row "ours, 999 users to PDF" "$s_small" "$m_small" "$(pages "$WORK/small.pdf")"
row "ours, 9,999 users to PDF" "$s_pdf" "$m_pdf" "$(pages "$WORK/usuarios.pdf")"
row "ours, 9,999 users to CSV" "$s_csv" "$m_csv" "-"
row "LibreOffice, the 9,999-user CSV to PDF" "$s_lo" "$m_lo" "$(pages "$WORK/lo/usuarios.pdf")"
ratio "$s_lo" "$s_pdf"

echo
echo "Report engine alone, in-memory records (bench_report_engine)"
mkdir -p "$WORK/engine-small" "$WORK/engine"
read -r s_esmall m_esmall < <(measure "$BUILD_DIR/benchmarks/bench_report_engine" 10000 "$WORK/engine-small")
read -r s_engine m_engine < <(measure "$BUILD_DIR/benchmarks/bench_report_engine" 100000 "$WORK/engine")
sed 's/^/    /' "$WORK/out"
read -r s_elo m_elo < <(libreoffice_pdf "$WORK/engine/lista.csv")
row "ours, 10,000 records to PDF and CSV (process)" "$s_esmall" "$m_esmall" "$(pages "$WORK/engine-small/lista.pdf")"
row "ours, 100,000 records to PDF and CSV (process)" "$s_engine" "$m_engine" "$(pages "$WORK/engine/lista.pdf")"
row "LibreOffice, the 100,000-record CSV to PDF" "$s_elo" "$m_elo" "$(pages "$WORK/lo/lista.pdf")"
ratio "$s_elo" "$s_engine"
