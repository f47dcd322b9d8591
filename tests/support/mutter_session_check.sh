#!/bin/bash
# Drives the real program natively on Wayland in a private headless GNOME session
# (mutter_session.sh), as a person would, and says what works:
#   - the window is centred on the monitor, exactly its contents' size (no title bar);
#   - a click on "Help" opens the message box, and Return closes it;
#   - a click on the box's OK button closes it; so does Escape sent as an evdev key code;
#   - files dragged from another Wayland program (wayland_drag_source.cpp) onto the list, by
#     press, moves and release, arrive as rows.
# The program's own state is read through AT-SPI (atspi_probe.py). Ends with "N passed,
# N failed"; fails when any check failed.
#
#   tests/support/mutter_session_check.sh [BUILD_DIR [PICTURE_FOLDER]]
#
# Run from the repository's top folder, as root, with the program built in BUILD_DIR (build).
# With PICTURE_FOLDER, pictures of the screen at each step are left there.
set -uo pipefail

build=${1:-build}
pictures=${2:-}
source tests/support/desktop.sh
source tests/support/mutter_session.sh

passed=0 failed=0
pass() { echo "ok: $*"; passed=$((passed + 1)); }
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }'; }
probe() { /usr/bin/python3 tests/support/atspi_probe.py "$@" 2>/dev/null; }
picture() { [[ -z $pictures ]] || pressvale_mutter_screenshot "$pictures/$1.png"; }

# The places of the main window's controls, from its control table (src/ui/layout), in twips;
# 15 twips make a pixel.
twips() { echo $(($1 / 15)); }
window_width=$(twips 8040) window_height=$(twips 5520)
help_left=$(twips 120) help_top=$(twips 120) help_width=$(twips 7800) help_height=$(twips 405)
list_left=$(twips 120) list_top=$(twips 630) list_width=$(twips 7800)

source_pid=
check_clean_up() {
    [[ -n $source_pid ]] && kill "$source_pid" 2>/dev/null
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $source_pid ]] && wait "$source_pid" 2>/dev/null
    [[ -n $program_pid ]] && wait "$program_pid" 2>/dev/null
    program_pid=
    [[ -d $work/cupsd ]] && tests/support/private_cupsd.sh stop "$work/cupsd"
    pressvale_mutter_stop
    pressvale_clean_up
}
pressvale_make_work_folder
trap check_clean_up EXIT
[[ -z $pictures ]] || mkdir -p "$pictures"

# The program's windows, one a line: role, active or inactive, name.
windows() { probe windows pressvale; }
one_window() { [[ $(windows) == $'filler\tactive\tPressvale' ]]; }
box_shown() { [[ $(windows | grep -c .) -eq 2 ]] && windows | grep -q $'^alert\tactive\t'; }

# The drag source: a plain Qt program, built here as tests need it.
read -r -a qt_flags < <(pkg-config --cflags --libs Qt6Widgets)
g++ -std=c++17 -fPIC -O1 tests/support/wayland_drag_source.cpp -o "$work/wayland_drag_source" "${qt_flags[@]}" ||
    { echo "cannot build the drag source"; exit 1; }

pressvale_mutter_start || exit 1
echo "The session started in $pressvale_mutter_start_seconds s (the bus, PipeWire, WirePlumber, mutter, the remote-desktop session)."

pressvale_bench_scheduler
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
started=$EPOCHREALTIME
"$build/bin/pressvale" >"$work/program.log" 2>&1 &
program_pid=$!
if ! pressvale_mutter_wait 20 one_window; then
    echo "The program showed no active window: $(windows)"
    cat "$work/program.log"
    exit 1
fi
echo "The program's window was up and active after $(seconds_since "$started") s."

# Centred, exactly its contents: the window's own colour at its four corners, not just outside
# them. Shown by the screen once the compositor has drawn the window's first picture.
read -r window_x window_y < <(pressvale_mutter_window_place "$window_width" "$window_height")
right=$((window_x + window_width - 1)) bottom=$((window_y + window_height - 1))
window_in_place() {
    local inside place x y
    inside=$(pressvale_mutter_pixel "$window_x" "$window_y") || return 1
    for place in "$right $window_y" "$window_x $bottom" "$right $bottom"; do
        read -r x y <<<"$place"
        [[ $(pressvale_mutter_pixel "$x" "$y") == "$inside" ]] || return 1
    done
    for place in "$((window_x - 1)) $window_y" "$window_x $((window_y - 1))" "$((right + 1)) $bottom" "$right $((bottom + 1))"; do
        read -r x y <<<"$place"
        [[ $(pressvale_mutter_pixel "$x" "$y") != "$inside" ]] || return 1
    done
}
if pressvale_mutter_wait 10 window_in_place; then
    pass "the ${window_width}x$window_height window is at ($window_x, $window_y), with no title bar"
else
    fail "the window is not exactly at ($window_x, $window_y) with size ${window_width}x$window_height"
fi
picture window

help_x=$((window_x + help_left + help_width / 2)) help_y=$((window_y + help_top + help_height / 2))
open_help() {
    pressvale_mutter_click "$help_x" "$help_y" || return 1
    pressvale_mutter_wait 10 box_shown
}

started=$EPOCHREALTIME
if open_help; then
    pass "a click on Help opens the message box ($(seconds_since "$started") s)"
    picture message-box
    pressvale_mutter key Return
    if pressvale_mutter_wait 5 one_window; then pass "Return closes the box"; else fail "Return left the box open"; fi
else
    fail "a click on Help showed no message box: $(windows | tr '\t\n' ' /')"
fi
one_window || { pressvale_mutter key Escape; pressvale_mutter_wait 5 one_window; }

if open_help; then
    # The OK button's place in the box, from AT-SPI; the box is centred as every new window.
    read -r ok_x ok_y ok_width ok_height box_width box_height < <(probe place pressvale OK)
    read -r box_x box_y < <(pressvale_mutter_window_place "$box_width" "$box_height")
    pressvale_mutter_click $((box_x + ok_x + ok_width / 2)) $((box_y + ok_y + ok_height / 2))
    if pressvale_mutter_wait 5 one_window; then
        pass "a click on OK, at ($((box_x + ok_x + ok_width / 2)), $((box_y + ok_y + ok_height / 2))) in the ${box_width}x$box_height box at ($box_x, $box_y), closes it"
    else
        fail "a click on OK left the box open"
    fi
else
    fail "a second click on Help showed no message box"
fi
one_window || { pressvale_mutter key Escape; pressvale_mutter_wait 5 one_window; }

if open_help; then
    pressvale_mutter keycode 1
    if pressvale_mutter_wait 5 one_window; then pass "Escape as evdev key code 1 closes the box"; else fail "key code 1 left the box open"; fi
else
    fail "a third click on Help showed no message box"
fi
one_window || { pressvale_mutter key Escape; pressvale_mutter_wait 5 one_window; }

# A drag from another Wayland program. Its window is as wide as most of the monitor and low,
# so that it covers neither the Help button nor the list's top rows, and a place left of the
# program's window is its own.
mkdir -p "$work/files"
for name in first second third; do printf '%%PDF-1.4\n%%%%EOF\n' >"$work/files/$name.pdf"; done
source_width=1200 source_height=120
"$work/wayland_drag_source" "$source_width" "$source_height" "$work/files/first.pdf" "$work/files/second.pdf" \
    "$work/files/third.pdf" >"$work/source.out" 2>"$work/source.log" &
source_pid=$!
said() { grep -qx "$1" "$work/source.out"; }
rows() { probe rows pressvale "PDF Files"; }
read -r source_x source_y < <(pressvale_mutter_window_place "$source_width" "$source_height")
from_x=$((source_x + 60)) from_y=$((source_y + source_height / 2))
# Its window is drawn in one colour, 308030, once shown.
if ! pressvale_mutter_wait_for_colour "$from_x" "$from_y" 308030 20; then
    fail "the drag source's window was not drawn at ($source_x, $source_y)"
else
    to_x=$((window_x + list_left + list_width / 2)) to_y=$((window_y + list_top + (source_y - window_y - list_top) / 2))
    started=$EPOCHREALTIME
    pressvale_mutter move "$from_x" "$from_y" && pressvale_mutter press
    if ! pressvale_mutter_wait 5 said "drag started"; then
        fail "a press on the drag source started no drag"
    else
        for step in 1 2 3 4 5 6 7 8; do
            pressvale_mutter move $((from_x + (to_x - from_x) * step / 8)) $((from_y + (to_y - from_y) * step / 8))
        done
        # The list says it takes the files before the button goes up; a drop before that
        # answer is refused.
        pressvale_mutter_wait 5 said "drag action copy" || echo "The list did not answer the drag: $(tr '\n' ' ' <"$work/source.out")"
        picture dragging
        pressvale_mutter release
        if pressvale_mutter_wait 10 eval '[[ $(rows) == 3 ]]'; then
            pass "three files dragged from another Wayland program, ($from_x, $from_y) to ($to_x, $to_y), arrive as three rows ($(seconds_since "$started") s)"
        else
            fail "the drag ended with $(rows) rows in the list; the source said: $(tr '\n' ' ' <"$work/source.out")"
        fi
        picture dropped
    fi
fi

echo "$passed passed, $failed failed"
((failed == 0))
