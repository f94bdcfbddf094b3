#!/usr/bin/env bash
# Runs every benchmark and prints one table: each work, our time, the reference measured in the same
# rounds (named in brackets after the work), our time divided by the reference's round by round, and
# both peak memories. Times are medians with the smallest and largest round beside them.
# The scripts' own figures and progress go to stderr; the table alone goes to stdout.
#   scripts/bench.sh                BUILD_DIR picks the build folder (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Each script prints one tab-separated line per work; a script missing from a checkout is left out.
for bench in bench-launch bench-schema bench-seed bench-users bench-tool bench-reports; do
    [ -x "scripts/$bench.sh" ] || continue
    echo "== $bench" >&2
    "scripts/$bench.sh" >>"$WORK/results.tsv"
done

awk -F '\t' '
    function ms(v) { return v >= 100 ? sprintf("%.0f", v) : sprintf("%.1f", v) }
    function spread(m, lo, hi) { return sprintf("%s ms (%s–%s)", ms(m), ms(lo), ms(hi)) }
    function mib(v) { return sprintf("%.1f MiB", v / 1024) }
    BEGIN {
        print "| work (reference) | ours, median (min–max) | reference, median (min–max) | ours ÷ reference, median (min–max) | rounds | ours, peak | reference, peak |"
        print "|---|---:|---:|---:|---:|---:|---:|"
    }
    {
        printf "| %s | %s | %s | %.2f (%.2f–%.2f) | %d | %s | %s |\n", $1, spread($2, $3, $4), spread($5, $6, $7),
            $8, $9, $10, $13, mib($11), mib($12)
    }' "$WORK/results.tsv"
