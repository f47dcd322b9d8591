#!/usr/bin/env bash
# Start-up time of the main window under a private virtual X server: from starting the program
# until its window is viewable, median of several runs, next to a bare Qt window measured in
# the same run. Uses a private CUPS scheduler with one printer, so the start is the normal one.
# EARLIER_PROGRAM, another build of pressvale (copied into BUILD_DIR/bin, beside the files it
# reads), is timed in the same runs too, so that a change is measured before and after at once.
#
#   bench/startup.sh [BUILD_DIR] [RUNS] [EARLIER_PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/desktop.sh
build=${1:-build}
runs=${2:-9}
earlier=${3:-}
probe=$build/tests/e2e/x11_window
cmake --build "$build" --target pressvale bench_minimal_window x11_window >/dev/null

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    tests/support/private_cupsd.sh stop "$work/cupsd" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

pressvale_bench_scheduler
pressvale_start_display

# time_to_window PROGRAM TITLE: milliseconds until the window is viewable.
time_to_window() {
    local start end pid
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    if ! "$probe" wait "$2" 30 >/dev/null; then
        kill "$pid" 2>/dev/null
        echo "the window \"$2\" was not shown" >&2
        exit 1
    fi
    end=$(date +%s%N)
    "$probe" close "$2" >/dev/null
    wait "$pid" 2>/dev/null || true
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

pressvale=() minimal=() before=()
for _ in $(seq "$runs"); do
    pressvale+=("$(time_to_window "$build/bin/pressvale" Pressvale)")
    minimal+=("$(time_to_window "$build/bench/bench_minimal_window" Minimal)")
    [[ -n $earlier ]] && before+=("$(time_to_window "$earlier" Pressvale)")
done
p=$(printf '%s\n' "${pressvale[@]}" | median)
m=$(printf '%s\n' "${minimal[@]}" | median)
echo "runs: $runs"
echo "pressvale window shown after (ms): ${pressvale[*]}   median $p"
echo "bare Qt window shown after (ms):   ${minimal[*]}   median $m"
awk -v p="$p" -v m="$m" 'BEGIN { printf "ratio pressvale / bare window: %.2f\n", p / m }'
if [[ -n $earlier ]]; then
    e=$(printf '%s\n' "${before[@]}" | median)
    echo "earlier build shown after (ms):    ${before[*]}   median $e"
    awk -v e="$e" -v m="$m" 'BEGIN { printf "ratio earlier build / bare window: %.2f\n", e / m }'
fi
