# Helpers of the bench-*.sh scripts, sourced by them. Each script prints one line per measured work on
# standard output, tab-separated:
#   work  ours_ms  reference_ms  ours_peak_kib  reference_peak_kib
# and anything meant for people on standard error; scripts/bench.sh gathers the lines into one table.

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

# median: reads "milliseconds peak-KiB" lines of several runs; prints the median time and the
# largest peak.
median() {
    sort -n | awk '{ ms[NR] = $1; if ($2 > peak) peak = $2 }
                   END { printf "%s %d\n", ms[int((NR + 1) / 2)], peak }'
}

# measure_median RUNS CMD...: the median time and the largest peak of RUNS runs of the command.
measure_median() {
    local runs=$1
    shift
    for _ in $(seq 1 "$runs"); do
        measure "$@"
    done | median
}

# result WORK OURS_MS REFERENCE_MS OURS_PEAK_KIB REFERENCE_PEAK_KIB: one line for scripts/bench.sh.
result() {
    printf '%s\t%s\t%s\t%s\t%s\n' "$@"
}
