#!/bin/bash
# print_e2e.sh WAY[:READER] BUILD_DIR WINEPREFIX CUPSD_DIR RUN...: the real pressvale.exe prints a
# list of files (a duplicate and non-ASCII names among them, one with a character that takes a
# surrogate pair in UTF-16) through the stand-in reader, installed in the Wine prefix as READER
# says (below; the 32-bit Reader's place without one), on "beta", a printer of the private
# scheduler that is not the default ("alpha"). RUN runs the print driver under Wine, which
# ends the run in WAY (done, close, session-end, terminate or tree-kill; see print_driver.cpp) and checks that alpha
# is the default again. In WAY both-then-log-in or both-then-start, in a private prefix of its
# own, the driver ends the program and its guard together, the wineserver is ended too, as a
# power cut or the session's end ends them, and then the user's RunOnce command, run as at
# log-in, or the program's next start must put alpha back. The jobs that arrive on beta must be the list's files, byte-identical
# and in list order: all of them, and none on alpha, for a run that is done; fewer than all
# for a run ended half-way (a reader that has already started prints on whichever printer is
# the default when it looks).
set -euo pipefail
source "$(dirname "$0")/../../../scripts/lib/wait.sh"
IFS=: read -r way reader <<<"$1"
build=$2
prefix=$3
cupsd=$4
shift 4

x86="$prefix/drive_c/Program Files (x86)/Adobe" x64="$prefix/drive_c/Program Files/Adobe"
app_paths='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Acrobat.exe'
wine_command() { "${run[@]:0:${#run[@]}-1}" "$@"; }  # as RUN runs the driver
run=("$@")
work=$(mktemp -d "$build/print-e2e.XXXXXX")
cleanup() {
    rm -rf --one-file-system "$work" "$x86" "$x64" "$prefix/drive_c/Readers"
    [[ $reader != app-paths ]] || wine_command reg delete "$app_paths" /f >/dev/null 2>&1 || true
}
trap cleanup EXIT
if [[ $way == both-then-* ]]; then
    export WINEPREFIX=$work/prefix
    prefix=$WINEPREFIX
    trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
    mkdir -p "$prefix" && wineserver -p
    "$(dirname "$0")/../../../scripts/lib/run_in_wine.sh" "$prefix" wineboot >/dev/null 2>&1
fi
install_as() { mkdir -p "$(dirname "$1")" && cp "${2:-$build/tools/AcroRd32.exe}" "$1"; }
case $reader in
    # The 32-bit Reader, alone or beside a 64-bit Acrobat that prints nothing; today's 64-bit
    # Reader or Acrobat; a 32-bit Acrobat; a reader installed elsewhere, known by App Paths.
    "" | reader-x86-beside-acrobat-x64) install_as "$x86/Reader/AcroRd32.exe" ;;&
    reader-x86-beside-acrobat-x64) install_as "$x64/Acrobat/Acrobat.exe" "$build/tests/pressvale_win32_child.exe" ;;
    acrobat-x64) install_as "$x64/Acrobat DC/Acrobat/Acrobat.exe" ;;
    acrobat-x86) install_as "$x86/Acrobat 2020/Acrobat/Acrobat.exe" ;;
    app-paths) install_as "$prefix/drive_c/Readers/Acrobat.exe" &&
        wine_command reg add "$app_paths" /ve /d 'C:\Readers\Acrobat.exe' /f >/dev/null ;;
esac

# Each file different, with bytes a text conversion would change.
names=("first.pdf" "résumé ü.pdf" "first.pdf" "日本語.pdf" "😀 outside the BMP.pdf")
for name in "${names[@]}"; do
    [[ -f $work/$name ]] || printf '%%PDF-1.4\r\n%% %s\n\0\377\n%%%%EOF\n' "$name" >"$work/$name"
done
windows() { echo "Z:$1" | tr / '\\'; }

jobs_of() { ls "$cupsd/jobs/$1" 2>/dev/null | grep '\.job$' | sort -n || true; }
alpha_before=$(jobs_of alpha)
beta_before=$(jobs_of beta)

arguments=()
for name in "${names[@]}"; do arguments+=("$(windows "$work/$name")"); done
program=$(windows "$build/bin/pressvale.exe")
case $way in
    both-then-*)
        "$@" both "$program" beta alpha "${arguments[@]}"
        wineserver -k
        if [[ $way == both-then-log-in ]]; then "$@" log-in alpha; else "$@" next-start "$program" alpha; fi
        ;;
    *) "$@" "$way" "$program" beta alpha "${arguments[@]}" ;;
esac

new_jobs_on_beta() { comm -13 <(echo "$beta_before") <(jobs_of beta) | sed '/^$/d' | sort -n; }
if [[ $way != done ]]; then
    mapfile -t arrived < <(new_jobs_on_beta)
    if [[ ${#arrived[@]} -ge ${#names[@]} ]]; then
        echo "print_e2e: the run went on to the last file" >&2
        exit 1
    fi
else
    # The scheduler writes each job once its backend has run.
    all_arrived() { [[ $(new_jobs_on_beta | wc -l) -ge ${#names[@]} ]]; }
    pressvale_wait 20 all_arrived || true
    mapfile -t arrived < <(new_jobs_on_beta)
    if [[ ${#arrived[@]} -ne ${#names[@]} ]]; then
        echo "print_e2e: ${#arrived[@]} jobs arrived on beta, not ${#names[@]}" >&2
        exit 1
    fi
    if [[ $(jobs_of alpha) != "$alpha_before" ]]; then
        echo "print_e2e: a job arrived on the default printer" >&2
        exit 1
    fi
fi
for i in "${!arrived[@]}"; do
    cmp "$work/${names[$i]}" "$cupsd/jobs/beta/${arrived[$i]}" ||
        { echo "print_e2e: job ${arrived[$i]} is not ${names[$i]}" >&2; exit 1; }
done
echo "print_e2e: $way: ${#arrived[@]} of ${#names[@]} jobs on beta, byte-identical and in list order"
