#!/usr/bin/env bash
# Runs the real program as a person would: on the private display DESKTOP (x11 or wayland,
# tests/support/desktop.sh), against the private CUPS scheduler in CUPSD_DIR, with a clean home.
# Waits for the window "Pressvale", takes a screenshot on X, presses "Load Sample/Example Files"
# by keys alone (Tab from the list to it, then Enter, which presses the focused button), answers
# the question after the sample files, closes the window and expects the program to end cleanly.
#
#   smoke.sh DESKTOP PROGRAM X11_WINDOW CUPSD_DIR SCREENSHOT
set -euo pipefail
source "$(dirname "$0")/../support/desktop.sh"
program=$2 probe=$3 cupsd_dir=$4 screenshot=$5

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
# Painted once it shows the background of the skin beside the program (seen on X only).
if [[ $desktop == x11 ]]; then
    pressvale_wait_for_window_colour Pressvale EEF1F5 "$work/window.png"
    import -window root "$screenshot"
    echo "screenshot: $screenshot"
fi

# Keys go to the window under the pointer on X (no window manager gives the focus), to the
# active window on Wayland.
key() { if [[ $desktop == x11 ]]; then xdotool key "$1"; else pressvale_mutter key "$1"; fi; }
[[ $desktop == x11 ]] && pressvale_click Pressvale 268 100 # on the empty list
for _ in 1 2 3 4; do key Tab; done
key Return
pressvale_wait 10 eval '[[ $(pressvale_windows Pressvale) -eq 2 ]]' ||
    { echo "Enter did not press the focused button \"Load Sample/Example Files\""; exit 1; }
pressvale_key Escape
pressvale_wait 10 eval '[[ $(pressvale_windows Pressvale) -eq 1 ]]' || { echo "the question stayed"; exit 1; }
echo "Enter pressed the focused button"

pressvale_close_and_expect_clean_end
echo "closed cleanly"
