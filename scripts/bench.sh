#!/usr/bin/env bash
# Runs every benchmark and prints one table: each work, our time, the reference measured in the same
# run (named in brackets after the work), our time divided by the reference's, and both peak memories.
# The scripts' own figures and progress go to stderr; the table alone goes to stdout.
#   scripts/bench.sh                BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Each script prints one tab-separated line per work; a script missing from a checkout is left out.
for bench in bench-launch bench-schema bench-seed bench-users bench-reports; do
    [ -x "scripts/$bench.sh" ] || continue
    echo "== $bench" >&2
    "scripts/$bench.sh" >>"$WORK/results.tsv"
done

awk -F '\t' '
    function ms(v) { return sprintf("%.1f ms", v) }
    function mib(v) { return sprintf("%.1f MiB", v / 1024) }
    BEGIN {
        print "| work (reference) | ours | reference | ours ÷ reference | ours, peak | reference, peak |"
        print "|---|---:|---:|---:|---:|---:|"
    }
    {
        ratio = $3 > 0 ? sprintf("%.2f", $2 / $3) : "-"
        printf "| %s | %s | %s | %s | %s | %s |\n", $1, ms($2), ms($3), ratio, mib($4), mib($5)
    }' "$WORK/results.tsv"
