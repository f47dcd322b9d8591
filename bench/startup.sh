#!/usr/bin/env bash
# Start-up time of the main window: from starting the program until its window is shown, median
# of several runs, next to a bare Qt window and a hand-written Qt window with the same controls
# and one printer question (bench/controls_window.cpp) measured in the same runs, interleaved.
# Uses a private CUPS scheduler with one printer, so the start is the normal one. EARLIER_PROGRAM,
# another build of pressvale (copied into BUILD_DIR/bin, beside the files it reads), is timed
# in the same runs too, so that a change is measured before and after at once.
#
# On a private virtual X server (the default) "shown" is the moment the X probe finds the
# window viewable, which X makes it before its first paint. With --wayland the programs run
# natively (QT_QPA_PLATFORM=wayland) on a private headless GNOME compositor, started as the
# window tests start it, but with Qt's accessibility left off as it is on X and Qt's own window
# frame drawn, as a user's window has it there. A Wayland client cannot see
# another's window, so each program logs its own requests (WAYLAND_DEBUG=client, a write per
# request for both alike): "shown" is the first commit of its toplevel's surface after a
# buffer was attached to it, the request that maps the window with its first picture painted.
# libwayland stamps each line with the wall clock as the request is made (microseconds, kept
# modulo 2^32), so the time the log takes to be read adds nothing to the figure.
#
#   bench/startup.sh [--wayland] [BUILD_DIR] [RUNS] [EARLIER_PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/desktop.sh
platform=x11
[[ ${1:-} == --wayland ]] && { platform=wayland; shift; }
build=${1:-build}
runs=${2:-9}
earlier=${3:-}
probe=$build/tests/e2e/x11_window
cmake --build "$build" --target pressvale bench_minimal_window bench_controls_window x11_window >/dev/null

pressvale_make_work_folder
cleanup() {
    scripts/lib/private_cupsd.sh stop "$work/cupsd" >/dev/null 2>&1 || true
    pressvale_clean_up
}
trap cleanup EXIT

pressvale_bench_scheduler
if [[ $platform == wayland ]]; then
    pressvale_start_desktop wayland
    unset QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_WAYLAND_DISABLE_WINDOWDECORATION
    mkfifo "$work/shown"
    exec 3<>"$work/shown"
else
    pressvale_start_display "$work" "${pressvale_screen[0]}x${pressvale_screen[1]}" xvfb_pid
fi

# x11_time_to_window PROGRAM TITLE: milliseconds until the window is viewable.
x11_time_to_window() {
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

# Reads a client's WAYLAND_DEBUG log and writes the stamp of the request that shows its
# toplevel: the surface given to get_xdg_surface whose xdg_surface became the toplevel, its
# first commit after an attach of a buffer. The stamp ("[%7u.%03u]") may start with spaces, so
# it is cut off before the fields are read. Reads on to the end, so the program never writes
# into a closed pipe.
first_picture='
{ stamp = substr($0, 2, index($0, "]") - 2); gsub(/ /, "", stamp); $0 = substr($0, index($0, "]") + 1) }
$1 == "->" && $2 ~ /^xdg_wm_base@[0-9]+\.get_xdg_surface\(/ { x = $4; sub(/,$/, "", x); s = $5; sub(/\)$/, "", s); surface[x] = s }
$1 == "->" && $2 ~ /\.get_toplevel\(/ && !done { split($2, p, "."); top = surface[p[1]] }
$1 == "->" && top != "" && index($2, top ".attach(wl_buffer@") == 1 { attached = 1 }
$1 == "->" && attached && $2 == top ".commit()" && !done { print stamp; fflush(); done = 1 }'

# wayland_time_to_window PROGRAM TITLE: milliseconds until the window is shown.
wayland_time_to_window() {
    local start pid stamp shown
    start=$(date +%s%N)
    WAYLAND_DEBUG=client "$1" 2> >(awk "$first_picture" >&3) >/dev/null &
    pid=$!
    if ! read -r -t 30 -u 3 stamp; then
        kill "$pid" 2>/dev/null
        echo "the window \"$2\" was not shown" >&2
        exit 1
    fi
    # Qt's Wayland plugin can hang as the program ends this soon after its start (its event
    # thread waits for ever in wl_display_read_events): what has not ended after five seconds
    # is killed, and said.
    kill "$pid"
    pressvale_wait 5 pressvale_ended "$pid" || { kill -KILL "$pid"; echo "$1 did not end on SIGTERM within 5 s: killed" >&2; }
    wait "$pid" 2>/dev/null || true
    shown=$((10#${stamp%.*} * 1000 + 10#${stamp#*.}))
    echo $((((shown - start / 1000) % 4294967296 + 4294967296) % 4294967296 / 1000))
}
time_to_window() { "${platform}_time_to_window" "$@"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

pressvale=() minimal=() controls=() before=()
for _ in $(seq "$runs"); do
    pressvale+=("$(time_to_window "$build/bin/pressvale" Pressvale)")
    minimal+=("$(time_to_window "$build/bench/bench_minimal_window" Minimal)")
    controls+=("$(time_to_window "$build/bench/bench_controls_window" Controls)")
    [[ -n $earlier ]] && before+=("$(time_to_window "$earlier" Pressvale)")
done
p=$(printf '%s\n' "${pressvale[@]}" | median)
m=$(printf '%s\n' "${minimal[@]}" | median)
echo "runs: $runs, on $([[ $platform == wayland ]] && echo "Wayland (headless mutter)" || echo "X (Xvfb)")"
echo "pressvale window shown after (ms): ${pressvale[*]}   median $p"
echo "bare Qt window shown after (ms):   ${minimal[*]}   median $m"
awk -v p="$p" -v m="$m" 'BEGIN { printf "ratio pressvale / bare window: %.2f\n", p / m }'
fastest() { printf '%s\n' "$@" | sort -n | head -n1; }
awk -v p="$(fastest "${pressvale[@]}")" -v m="$(fastest "${minimal[@]}")" \
    'BEGIN { printf "fastest start of each: %d and %d ms, ratio %.2f\n", p, m, p / m }'
c=$(printf '%s\n' "${controls[@]}" | median)
echo "same controls shown after (ms):    ${controls[*]}   median $c"
awk -v p="$p" -v c="$c" 'BEGIN { printf "ratio pressvale / same controls: %.2f\n", p / c }'
awk -v p="$(fastest "${pressvale[@]}")" -v c="$(fastest "${controls[@]}")" \
    'BEGIN { printf "fastest start of each: %d and %d ms, ratio %.2f\n", p, c, p / c }'
if [[ -n $earlier ]]; then
    e=$(printf '%s\n' "${before[@]}" | median)
    echo "earlier build shown after (ms):    ${before[*]}   median $e"
    awk -v e="$e" -v m="$m" 'BEGIN { printf "ratio earlier build / bare window: %.2f\n", e / m }'
    awk -v e="$e" -v c="$c" 'BEGIN { printf "ratio earlier build / same controls: %.2f\n", e / c }'
    echo "fastest start of the earlier build: $(fastest "${before[@]}") ms"
fi
