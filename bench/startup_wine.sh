#!/usr/bin/env bash
# Start-up time of the Windows program under Wine: from starting pressvale.exe until its window
# is shown and has handled its first messages (the first paint among them), median of several
# runs, next to a bare Win32 window with the same standard controls whose printer box is filled
# from the installed printers, timed in the same runs, interleaved. A private CUPS scheduler
# with one printer gives both a normal start.
#
#   bench/startup_wine.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/desktop.sh
source scripts/lib/wine.sh
build=${1:-build-windows}
runs=${2:-11}
cmake --build "$build" --target pressvale bench_bare_window bench_window_timer >/dev/null

work=$(mktemp -d)
cleanup() {
    pressvale_wine_stop
    tests/support/private_cupsd.sh stop "$work/cupsd" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
pressvale_bench_scheduler
pressvale_wine_start "$build"
trap cleanup EXIT

windows() { echo "Z:$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")" | tr / '\\'; }
# time_to_window PROGRAM CLASS: milliseconds until the window is shown and answers.
time_to_window() {
    tests/win32/wine.sh "$WINEPREFIX" "$build/bench/bench_window_timer.exe" "$(windows "$1")" "$2" | tr -d '\r'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start of each first, so that neither pays for Wine's first loading of its libraries.
time_to_window "$build/bin/pressvale.exe" PressvaleForm1 >/dev/null
time_to_window "$build/bench/bench_bare_window.exe" BareWindow >/dev/null
pressvale=() bare=()
for _ in $(seq "$runs"); do
    pressvale+=("$(time_to_window "$build/bin/pressvale.exe" PressvaleForm1)")
    bare+=("$(time_to_window "$build/bench/bench_bare_window.exe" BareWindow)")
done
p=$(printf '%s\n' "${pressvale[@]}" | median)
b=$(printf '%s\n' "${bare[@]}" | median)
echo "runs: $runs"
echo "pressvale.exe window shown after (ms): ${pressvale[*]}   median $p"
echo "bare Win32 window shown after (ms):    ${bare[*]}   median $b"
awk -v p="$p" -v b="$b" 'BEGIN { printf "ratio pressvale.exe / bare window: %.2f\n", p / b }'
