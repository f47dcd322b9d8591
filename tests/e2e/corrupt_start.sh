#!/usr/bin/env bash
# Starts the real program from a program folder of its own whose optional files are damaged
# (HAND-M.CUR cut in half, random bytes as the skin x/o.cjs, a text file as drag.ico), with
# random bytes as its settings file, under a private virtual X server and against the private
# CUPS scheduler in CUPSD_DIR. Expects the two error reports of the load procedure (the skin,
# then the hand cursor), closes them, expects the window "Pressvale", closes it and expects a
# clean end, with the settings file's original bytes still on disk.
#
#   corrupt_start.sh PROGRAM X11_WINDOW CUPSD_DIR
set -euo pipefail
program=$1 probe=$2 cupsd_dir=$3
shipped=$(dirname "$program")

work=$(mktemp -d)
xvfb_pid= program_pid=
cleanup() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

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

mkdir -p "$work/home" "$work/config"
random_bytes 4096 42 >"$work/config/Quillmark.ini"
cp "$work/config/Quillmark.ini" "$work/settings.original"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")

# About one start in a hundred opens the home page: a stand-in opener records it instead.
mkdir -p "$work/opener"
printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/opener/xdg-open"
chmod +x "$work/opener/xdg-open"
export PATH=$work/opener:$PATH
export HOME=$work/home XDG_CONFIG_HOME=$work/config
export CUPS_SERVER=$cupsd_dir/cups.sock CUPS_SERVERROOT=$cupsd_dir/etc
unset LPDEST PRINTER

"$work/prefix/bin/pressvale" >"$work/program.log" 2>&1 &
program_pid=$!
if ! reports=$("$probe" close-each "Application Error" Pressvale 30); then
    echo "The window \"Pressvale\" was not shown. Program output:"
    cat "$work/program.log"
    exit 1
fi
echo "closed $reports error reports, then the window was shown"
if [[ $reports -ne 2 ]]; then
    echo "Expected 2 error reports (the skin at line 100, the hand cursor at line 106), saw $reports."
    exit 1
fi

"$probe" close Pressvale
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2>/dev/null; then
    echo "The program did not end after its window was closed."
    exit 1
fi
status=0
wait "$program_pid" || status=$?
program_pid=
[[ $status -eq 0 ]] || { echo "The program ended with status $status:"; cat "$work/program.log"; exit 1; }

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
