# Helpers of the bench-*.sh scripts, sourced by them. Each script runs both sides of a work in turn,
# round after round, so that whatever else the machine does falls on both alike, and prints one line
# per measured work on standard output, made by summarise from the rounds:
#   work  ours(median min max)  reference(median min max)  ratio(median min max)  ours_peak_kib
#   reference_peak_kib  rounds
# tab-separated, the ratio being taken round by round; anything meant for people goes to standard
# error. scripts/bench.sh gathers the lines into one table.

# measure CMD...: runs the command, output discarded; prints "milliseconds peak-KiB" (wall time,
# largest resident set). A failing command shows its error output and ends the script.
measure() {
    timed yes "$@"
}

# measure_any_status CMD...: the same for a command whose failures are expected, such as isql-fb
# running statements that the database refuses.
measure_any_status() {
    timed no "$@"
}

timed() {
    local must_succeed=$1 times errors start end
    shift
    times=$(mktemp) errors=$(mktemp)
    start=$(date +%s%N)
    if ! /usr/bin/time -f %M -o "$times" "$@" >/dev/null 2>"$errors" && [ "$must_succeed" = yes ]; then
        cat "$errors" >&2
        rm -f "$times" "$errors"
        exit 1
    fi
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v kib="$(tail -n 1 "$times")" 'BEGIN { printf "%.1f %d\n", ns / 1e6, kib }'
    rm -f "$times" "$errors"
}

# summarise WORK FILE: FILE holds one line per round, "ours_ms reference_ms ours_peak_kib
# reference_peak_kib"; prints the line for scripts/bench.sh: medians, minima and maxima of both
# sides and of their ratio round by round, the largest peaks and the number of rounds.
summarise() {
    awk -v work="$1" '
        function sorted(a, n,    i, j, t) {
            for (i = 2; i <= n; i++)
                for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
        }
        function stats(a, n) {
            sorted(a, n)
            return sprintf("%.2f\t%.2f\t%.2f", (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2, a[1], a[n])
        }
        { n++; ours[n] = $1; ref[n] = $2; ratio[n] = $2 > 0 ? $1 / $2 : 0
          if ($3 > peak) peak = $3; if ($4 > refpeak) refpeak = $4 }
        END { printf "%s\t%s\t%s\t%s\t%d\t%d\t%d\n", work, stats(ours, n), stats(ref, n), stats(ratio, n), peak, refpeak, n }
    ' "$2"
}
