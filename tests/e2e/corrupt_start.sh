#!/usr/bin/env bash
# Starts the real program from a program folder of its own whose optional files are damaged
# (HAND-M.CUR cut in half, random bytes as the skin x/o.cjs, a text file as drag.ico), with
# random bytes as its settings file, on the private display DESKTOP (x11 or wayland,
# scripts/lib/desktop.sh) and against the private CUPS scheduler in CUPSD_DIR. Expects the
# two error reports of the load procedure (the skin, then the hand cursor), closes them,
# expects the window "Pressvale", closes it and expects a clean end, with the settings file's
# original bytes still on disk.
#
#   corrupt_start.sh DESKTOP PROGRAM X11_WINDOW CUPSD_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/desktop.sh"
program=$2 probe=$3 cupsd_dir=$4
shipped=$(dirname "$program")

pressvale_make_work_folder

# COUNT bytes that look random but are the same on every run (SEED), on stdout.
random_bytes() {
    local count=$1 escapes= escape i
    RANDOM=$2
    for ((i = 0; i < count; i++)); do
        printf -v escape '\\x%02x' $((RANDOM % 256))
        escapes+=$escape
    done
    printf "$escapes"
}

# The program folder: the program and its damaged files.
mkdir -p "$work/prefix/bin/x"
cp "$program" "$work/prefix/bin/"
head -c "$(($(stat -c %s "$shipped/HAND-M.CUR") / 2))" "$shipped/HAND-M.CUR" >"$work/prefix/bin/HAND-M.CUR"
random_bytes 1328 7 >"$work/prefix/bin/x/o.cjs"
echo "this is not an icon" >"$work/prefix/bin/drag.ico"

pressvale_start_desktop "$1"
pressvale_private_session "$cupsd_dir"
random_bytes 4096 42 >"$work/config/Quillmark.ini"
cp "$work/config/Quillmark.ini" "$work/settings.original"

"$work/prefix/bin/pressvale" >"$work/program.log" 2>&1 &
program_pid=$!
if ! reports=$(pressvale_close_each "Application Error" Pressvale 30); then
    echo "The window \"Pressvale\" was not shown. Program output:"
    cat "$work/program.log"
    exit 1
fi
echo "closed $reports error reports, then the window was shown"
if [[ $reports -ne 2 ]]; then
    echo "Expected 2 error reports (the skin at line 100, the hand cursor at line 106), saw $reports."
    exit 1
fi

pressvale_close_and_expect_clean_end

# Storing the printer chosen at the start rewrites the settings; the damaged bytes are kept.
for kept in "$work/config/Quillmark.ini" "$work/config/Quillmark.ini".corrupt-*; do
    if [[ -f $kept ]] && cmp -s "$kept" "$work/settings.original"; then
        echo "the settings file's original bytes are in ${kept#"$work/config/"}"
        exit 0
    fi
done
echo "The settings file's original bytes were lost:"
ls -l "$work/config"
exit 1
