#!/usr/bin/env bash
# Runs the real program as a person would: under a private virtual X server, against the
# private CUPS scheduler in CUPSD_DIR, with a clean home. Waits for the window "Pressvale",
# takes a screenshot, closes the window and expects the program to end cleanly.
#
#   smoke.sh PROGRAM X11_WINDOW CUPSD_DIR SCREENSHOT
set -euo pipefail
source "$(dirname "$0")/../support/desktop.sh"
program=$1 probe=$2 cupsd_dir=$3 screenshot=$4

pressvale_make_work_folder

pressvale_start_display
pressvale_private_session "$cupsd_dir"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
if ! shown_ms=$("$probe" wait Pressvale 30); then
    echo "The window \"Pressvale\" was not shown. Program output:"
    cat "$work/program.log"
    exit 1
fi
echo "window shown after ${shown_ms} ms"
# Painted once it shows the background of the skin beside the program.
pressvale_wait_for_window_colour Pressvale EEF1F5 "$work/window.png"
import -window root "$screenshot"
echo "screenshot: $screenshot"

pressvale_close_and_expect_clean_end "$probe"
echo "closed cleanly"
