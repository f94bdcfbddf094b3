#!/usr/bin/env bash
# Launch time to the login dialog, side by side with a bare reference: a Qt program that
# attaches the same database with the same parameters and shows a dialog
# (benchmarks/bench_launch_reference.cpp). Both run on a virtual X display with a window
# manager, in one working folder made by estocarium-db, the program with its splash wait at 0;
# the clock stops when the window manager makes the login dialog (the reference's dialog)
# the active window. Median of interleaved runs; peak memory is the process's VmHWM then.
# A third program, the floor (benchmarks/bench_launch_floor.cpp), takes the program's windows in
# their order and does nothing else: what it costs beyond the reference is the windows' own price.
#   scripts/bench-launch.sh [build folder] [rounds]       (defaults: build, 20)
# Standard output, one line per measured work (the program, then the floor), tab-separated:
#   work  ms  reference_ms  peak_kib  reference_peak_kib
# Everything else goes to standard error.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-20}
cmake --build "$build" --target estocarium estocarium-db bench_launch_reference bench_launch_floor >/dev/null

work=$(mktemp -d)
xvfb= wm=
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
"$build/estocarium-db" create "$work/trabalho" >/dev/null

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
while [ ! -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
wm=$!
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do sleep 0.05; done

title="Estocarium / Estocarium - 2017"
# One launch: prints "milliseconds peak_kib". end is how the program is then closed.
launch() {
    local program=$1 end=$2 start now pid line id peak
    coproc SPY { exec stdbuf -oL xprop -root -spy _NET_ACTIVE_WINDOW; }
    read -r line <&"${SPY[0]}" # the current value comes at once
    start=$(date +%s%N)
    (cd "$work/trabalho" && ESTOCARIUM_SPLASH_MS=0 exec "$program") >/dev/null 2>&1 &
    pid=$!
    while :; do
        if read -r -t 0.2 line <&"${SPY[0]}"; then
            now=$(date +%s%N)
            id=${line##* }
            [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && break
        elif [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$title" ]; then
            # The activation was seen before its window could be named: the time is taken now,
            # late by at most the wait above, and the median leaves such a sample aside.
            now=$(date +%s%N)
            break
        fi
    done
    peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    case $end in
    term) kill -TERM "$pid" ;;
    escape) xdotool key Escape ;;
    esac
    wait "$pid" || true
    kill "$SPY_PID" 2>/dev/null || true
    wait "$SPY_PID" 2>/dev/null || true
    echo "$(((now - start) / 1000)) $peak"
}

median() { sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m }'; }

: >"$work/ours"
: >"$work/floor"
: >"$work/reference"
for i in $(seq 1 "$rounds"); do
    launch "$build/estocarium" term >>"$work/ours"
    launch "$build/benchmarks/bench_launch_floor" escape >>"$work/floor"
    launch "$build/benchmarks/bench_launch_reference" escape >>"$work/reference"
    echo "round $i/$rounds: ours $(tail -1 "$work/ours"), floor $(tail -1 "$work/floor")," \
        "reference $(tail -1 "$work/reference") (µs KiB)" >&2
done

milliseconds() { cut -d' ' -f1 "$work/$1" | median | awk '{ printf "%.1f", $1 / 1000 }'; }
kib() { cut -d' ' -f2 "$work/$1" | median; }
echo "launch to the login dialog, median of $rounds rounds: ours $(milliseconds ours) ms," \
    "floor $(milliseconds floor) ms, reference $(milliseconds reference) ms" >&2
printf 'launch to the login dialog, splash wait 0 (bare Qt program)\t%s\t%s\t%s\t%s\n' \
    "$(milliseconds ours)" "$(milliseconds reference)" "$(kib ours)" "$(kib reference)"
printf 'floor: the same windows, nothing else, attaching on a helper thread (bare Qt program)\t%s\t%s\t%s\t%s\n' \
    "$(milliseconds floor)" "$(milliseconds reference)" "$(kib floor)" "$(kib reference)"
