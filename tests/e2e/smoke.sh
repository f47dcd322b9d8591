#!/usr/bin/env bash
# Runs the real program as a person would: on the private display DESKTOP (x11 or wayland,
# scripts/lib/desktop.sh), against the private CUPS scheduler in CUPSD_DIR, with a clean home.
# Waits for the window "Pressvale", takes a screenshot on X, presses "Load Sample/Example Files"
# by keys alone (Tab from the list to it, then Enter, which presses the focused button), answers
# the question after the sample files; holds a row while that question comes up again, and
# expects no row to move after it; closes the window and expects the program to end cleanly.
#
#   smoke.sh DESKTOP PROGRAM X11_WINDOW CUPSD_DIR SCREENSHOT
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/desktop.sh"
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

# Four Tabs go from the list to "Load Sample/Example Files".
tab_to_load_and_enter() { for name in Tab Tab Tab Tab Return; do pressvale_type "$name"; done; }
windows() { pressvale_wait 10 eval "[[ \$(pressvale_windows Pressvale) -eq $1 ]]" || { echo "$2"; exit 1; }; }
pressvale_press Pressvale "PDF Files" # the empty list, which takes the keys
tab_to_load_and_enter
windows 2 "Enter did not press the focused button \"Load Sample/Example Files\""
pressvale_key Escape
windows 1 "the question stayed"
echo "Enter pressed the focused button"

# A modal box that comes up while a row is held ends the hold as a release would: a move over
# another row once it has gone swaps no rows.
read -r -a origin < <(pressvale_origin Pressvale)
row() { # the screen place of the first row of the file $1
    local centre
    read -r -a centre < <(atspi centre Pressvale "$1")
    echo $((origin[0] + centre[0])) $((origin[1] + centre[1]))
}
mapfile -t files < <(atspi rows Pressvale)
first=$(row "${files[0]}") second=$(row "${files[1]}")
pressvale_pointer press $first
tab_to_load_and_enter
windows 2 "no question while a row is held"
pressvale_pointer release $first
pressvale_key Escape
windows 1 "the question stayed"
rows=$(atspi rows Pressvale)
pressvale_pointer move $second
[[ -n $rows && $(atspi rows Pressvale) == "$rows" ]] ||
    { echo "rows moved after a box took the pointer:" $rows "/" $(atspi rows Pressvale); exit 1; }
echo "a box that took the pointer ended the row's hold"

pressvale_close_and_expect_clean_end
echo "closed cleanly"
