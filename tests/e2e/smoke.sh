#!/usr/bin/env bash
# Runs the real program as a person would: on the private display DESKTOP (x11 or wayland,
# tests/support/desktop.sh), against the private CUPS scheduler in CUPSD_DIR, with a clean home.
# Waits for the window "Pressvale", takes a screenshot on X, closes the window and expects the
# program to end cleanly.
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

pressvale_close_and_expect_clean_end
echo "closed cleanly"
