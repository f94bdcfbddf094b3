#!/usr/bin/env bash
# Launch time to the login dialog, side by side with a bare reference: a Qt program that
# attaches the same database with the same parameters and shows a dialog
# (benchmarks/bench_launch_reference.cpp). Both run on a virtual X display with a window
# manager, in one working folder made by estocarium-db, the program with its splash wait at 0;
# the clock stops when the window manager makes the login dialog (the reference's dialog)
# the active window. The three programs run in turn, round after round; peak memory is each
# process's VmHWM then. The floor (benchmarks/bench_launch_floor.cpp) takes the program's windows in
# their order and does nothing else: what the program costs beyond it is its own work; what the floor
# costs beyond the reference is the windows' own price.
#   scripts/bench-launch.sh [build folder] [rounds]       (defaults: build, 20)
# Standard output: the lines of bench-common.sh's summarise (the program against the floor, the
# program against the reference, the floor against the reference); everything else on standard error.
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

source "$root/scripts/bench-common.sh"
: >"$work/ours-floor"
: >"$work/ours-reference"
: >"$work/floor-reference"
for i in $(seq 1 "$rounds"); do
    read -r ours_us ours_kib < <(launch "$build/estocarium" term)
    read -r floor_us floor_kib < <(launch "$build/benchmarks/bench_launch_floor" escape)
    read -r reference_us reference_kib < <(launch "$build/benchmarks/bench_launch_reference" escape)
    echo "round $i/$rounds: ours $ours_us µs, floor $floor_us µs, reference $reference_us µs" >&2
    ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
    echo "$(ms "$ours_us") $(ms "$floor_us") $ours_kib $floor_kib" >>"$work/ours-floor"
    echo "$(ms "$ours_us") $(ms "$reference_us") $ours_kib $reference_kib" >>"$work/ours-reference"
    echo "$(ms "$floor_us") $(ms "$reference_us") $floor_kib $reference_kib" >>"$work/floor-reference"
done

summarise "launch to the login dialog, splash wait 0 (floor: the same windows, nothing else)" "$work/ours-floor"
summarise "launch to the login dialog, splash wait 0 (bare Qt program: a dialog with two labelled fields)" \
    "$work/ours-reference"
summarise "floor: the program's windows, nothing else (bare Qt program: a dialog with two labelled fields)" \
    "$work/floor-reference"
