#!/usr/bin/env bash
# Runs the real program as a person would: on the private display DESKTOP (x11 or wayland,
# tests/support/desktop.sh), against the private CUPS scheduler in CUPSD_DIR, with a clean home.
# Waits for the window "Pressvale", takes a screenshot, reads every control's name through
# AT-SPI, opens Help's box with a click and closes it with Return, drags three files from
# another program onto the list and expects them as its rows in order, then closes the window
# and expects the program to end cleanly.
#
#   smoke.sh DESKTOP PROGRAM X11_WINDOW CUPSD_DIR DRAG_SOURCE SCREENSHOT
set -euo pipefail
source "$(dirname "$0")/../support/desktop.sh"
program=$2 probe=$3 cupsd_dir=$4 drag_source=$5 screenshot=$6

pressvale_make_work_folder
pressvale_start_desktop "$1"
pressvale_private_session "$cupsd_dir"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
if ! shown_ms=$(pressvale_wait_window Pressvale 30); then
    echo "The window \"Pressvale\" was not shown. Program output:"
    cat "$work/program.log"
    exit 1
fi
echo "window shown after ${shown_ms} ms"
# Painted once it shows the background of the skin beside the program.
pressvale_wait_for_window_colour Pressvale EEF1F5 "$work/window.png"
pressvale_screenshot "$screenshot"
echo "screenshot: $screenshot"

atspi controls Pressvale >"$work/controls" || { echo "A control has no name:"; cat "$work/controls"; exit 1; }
echo "every control is named: $(paste -sd , "$work/controls")"

# Help, a button across the window's top (the control table's twips over 15).
windows_titled_pressvale() { [[ $(pressvale_windows Pressvale) -eq $1 ]]; }
pressvale_click Pressvale 268 21
pressvale_wait 10 windows_titled_pressvale 2 || { echo "A click on Help showed no box."; exit 1; }
pressvale_key Return
pressvale_wait 10 windows_titled_pressvale 1 || { echo "Return left Help's box open."; exit 1; }
echo "Help's box opened by a click, closed by Return"

# The drag source, 1200 x 60 pixels, lies over the top of the program's window (under X both
# are at the top left corner; mutter centres both) and leaves the list's middle free.
mkdir "$work/files"
for name in first second third; do printf '%%PDF-1.4\n%%%%EOF\n' >"$work/files/$name.pdf"; done
"$drag_source" 1200 60 "$work"/files/{first,second,third}.pdf >"$work/source.out" 2>"$work/source.log" &
source_pid=$!
pressvale_wait_window "Drag source" 30 >/dev/null
read -r -a from < <(pressvale_origin "Drag source")
read -r -a to < <(pressvale_origin Pressvale)
said() { grep -qx "$1" "$work/source.out"; }
pressvale_pointer move $((from[0] + 60)) $((from[1] + 30))
pressvale_pointer press
pressvale_wait 5 said "drag started" || { echo "A press on the drag source started no drag."; exit 1; }
for step in 1 2 3 4 5 6 7 8; do
    pressvale_pointer move $((from[0] + 60 + (to[0] + 268 - from[0] - 60) * step / 8)) \
        $((from[1] + 30 + (to[1] + 100 - from[1] - 30) * step / 8))
done
# A drop before the list has said it takes the files is refused.
pressvale_wait 5 said "drag action copy" || { echo "The list did not take the drag: $(cat "$work/source.out")"; exit 1; }
pressvale_pointer release
rows_are() { [[ $(atspi rows Pressvale "PDF Files" 2>/dev/null | paste -sd ' ') == "$1" ]]; }
expected=$(printf "$work/files/%s.pdf " first second third)
pressvale_wait 10 rows_are "${expected% }" ||
    { echo "The list's rows after the drop: $(atspi rows Pressvale "PDF Files" | paste -sd ' ')"; exit 1; }
echo "three files dragged from another program arrived as rows in order"
kill "$source_pid"

pressvale_close_and_expect_clean_end
echo "closed cleanly"
