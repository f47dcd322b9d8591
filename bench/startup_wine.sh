#!/usr/bin/env bash
# Start-up time of the Windows program under Wine: from starting pressvale.exe until its window
# is shown, and until it is ready for input, medians of several runs, next to a bare Win32
# window with the same standard controls whose printer box is filled from the installed
# printers, timed in the same runs, interleaved. A private CUPS scheduler
# with one printer gives both a normal start.
#
#   bench/startup_wine.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/desktop.sh
source scripts/lib/wine.sh
build=${1:-build-windows}
runs=${2:-11}
cmake --build "$build" --target pressvale bench_bare_window bench_window_timer >/dev/null

work=$(mktemp -d)
cleanup() {
    pressvale_wine_stop
    scripts/lib/private_cupsd.sh stop "$work/cupsd" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
pressvale_bench_scheduler
pressvale_wine_start "$build"
trap cleanup EXIT

windows() { echo "Z:$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")" | tr / '\\'; }
# time_to_window PROGRAM CLASS: milliseconds until the window is shown, and until the program
# is ready for input.
time_to_window() {
    scripts/lib/run_in_wine.sh "$WINEPREFIX" "$build/bench/bench_window_timer.exe" "$(windows "$1")" "$2" | tr -d '\r'
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
# report WHAT COLUMN: the runs' figures of one column (1 shown, 2 ready), their medians, ratio.
report() {
    local p b
    p=$(printf '%s\n' "${pressvale[@]}" | cut -d' ' -f"$2" | median)
    b=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f"$2" | median)
    echo "$1 (ms), pressvale.exe: $(printf '%s\n' "${pressvale[@]}" | cut -d' ' -f"$2" | tr '\n' ' ')  median $p"
    echo "$1 (ms), bare window:   $(printf '%s\n' "${bare[@]}" | cut -d' ' -f"$2" | tr '\n' ' ')  median $b"
    awk -v p="$p" -v b="$b" -v w="$1" 'BEGIN { printf "%s, ratio pressvale.exe / bare window: %.2f\n", w, p / b }'
    # Starts under Wine fall into a fast and a slow group, whatever the program; the fastest
    # start of each is the program's own cost with the least of Wine's.
    p=$(printf '%s\n' "${pressvale[@]}" | cut -d' ' -f"$2" | sort -n | head -n1)
    b=$(printf '%s\n' "${bare[@]}" | cut -d' ' -f"$2" | sort -n | head -n1)
    awk -v p="$p" -v b="$b" -v w="$1" 'BEGIN { printf "%s, fastest start of each: %d and %d ms, ratio %.2f\n", w, p, b, p / b }'
}
echo "runs: $runs"
report "window shown" 1
report "ready for input" 2
