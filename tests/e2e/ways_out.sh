#!/usr/bin/env bash
# A print run of the real program, on the private display DESKTOP (x11 or wayland,
# scripts/lib/desktop.sh) and against the private CUPS scheduler in CUPSD_DIR (default
# "office"), prints the sample files on "label". Once "label" has become the default, the
# program is sent SIGTERM or SIGHUP, or its display (X server or compositor) goes away, or it
# is killed or crashes (SIGKILL, SIGSEGV, SIGABRT); in the last four its printer guard puts the
# default back. Each time it must end with the expected status, having stopped where it was,
# "office" must be the user's default again within two seconds, and the guard must be gone.
# Killed with its guard, the run leaves "label" the default and its record: the next start
# (before its window shows) or the autostart entry's command puts "office" back. A second
# program's run keeps "label" after the first one's kill. With LPDEST set, SIGTERM mid-run
# leaves the user's lpoptions as it was: there was none.
#
#   ways_out.sh DESKTOP PROGRAM X11_WINDOW CUPSD_DIR
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/desktop.sh"
desktop=$1 program=$2 probe=$3 cupsd_dir=$4
guard_program=$(realpath "$(dirname "$program")/pressvale-guard")
guard_pid=
samples=$(find "$(dirname "$program")/Samples" -maxdepth 1 -type f | wc -l)

# Way, and the exit status then: 0 where the program leaves its event loop, 1 where Qt's X11
# plugin ends it on the lost connection (exit) or its Wayland plugin on the lost compositor
# (_exit), 128 and the signal's number where the signal ends it. Qt 6.8's Wayland plugin ends
# it with _exit(-1), status 255, where Qt 6.4's gave 1.
ways=("SIGTERM 0" "SIGHUP 0" "display 1" "SIGKILL 137" "SIGSEGV 139" "SIGABRT 134"
      "both-then-start 137" "both-then-log-in 137" "LPDEST 0")
[[ $desktop == wayland ]] && ways[2]="display 1|255"
# The second program's window opens where the first one's is. Debian 13's mutter does not put it
# above the first one's, active, so the clicks meant for it reach the first: that row runs on
# X, where the newest window is on top.
[[ $desktop == x11 ]] && ways+=("second-program 137")
# A checked build's own SIGSEGV handler would end the program with its report instead; the
# crash is left to the system here. No core files.
export ASAN_OPTIONS=handle_segv=0
ulimit -c 0

# Waits up to SECONDS for COMMAND to succeed; ends the way's subshell, naming WHAT, if it never does.
wait_until() { pressvale_wait "$1" "${@:3}" || { echo "waited in vain for $2"; exit 1; }; }
windows_titled_pressvale() { [[ $(pressvale_windows Pressvale) -eq $1 ]]; }
default_is() { [[ $(lpstat -d) == "system default destination: $1" ]]; }
program_ended() { pressvale_ended "$program_pid"; }
jobs_on_label() { find "$cupsd_dir/jobs/label" -name '*.job' | wc -l; }
autostart_entry() { [[ -e $XDG_CONFIG_HOME/autostart/pressvale-default-printer.desktop ]]; }
switch_recorded() { [[ -e $XDG_STATE_HOME/pressvale/default-printer-switch ]]; }

# Presses the button CAPTION in the window.
press() {
    pressvale_wait_window Pressvale 30 >/dev/null
    pressvale_press Pressvale "$1"
}
# The printer guard that the program $1 started.
guard_of() {
    local child
    for child in $(ps -o pid= --ppid "$1"); do
        if [[ $(readlink "/proc/$child/exe") == "$guard_program" ]]; then echo "$child"; fi
    done
}

# Starts the program (holding a descriptor without close-on-exec, as a careless launcher leaves
# one) and its print run of the sample files, with SHOWN windows titled Pressvale already;
# a second window opens where the first did, above it.
start_run() {
    "$program" 7</dev/null >>"$work/program.log" 2>&1 &
    program_pid=$!
    wait_until 30 "the program's window" windows_titled_pressvale $(($1 + 1))
    press "Load Sample/Example Files"
    # Answers No to the question after the sample files: the sample folder is not opened.
    wait_until 10 "the question after the sample files" windows_titled_pressvale $(($1 + 2))
    pressvale_key Escape
    wait_until 10 "the question to close" windows_titled_pressvale $(($1 + 1))
    press "Start Printing"
}

# The program's start or the autostart entry's command, after the program and its guard were
# killed together, puts "office" back and removes the record and the entry.
restore_after_both_killed() {
    default_is label || { echo "$1: label is no longer the default after the kill"; exit 1; }
    switch_recorded && autostart_entry || { echo "$1: no switch record or autostart entry is left"; exit 1; }
    if [[ $1 == both-then-start ]]; then
        "$program" >>"$work/program.log" 2>&1 &
        program_pid=$!
        pressvale_wait_window Pressvale 30 >/dev/null
        default_is office || { echo "$1: label is still the default as the window shows"; exit 1; }
        pressvale_close Pressvale
        wait_until 20 "the program to end" program_ended
        wait "$program_pid" || true
        program_pid=
    else
        gio launch "$XDG_CONFIG_HOME/autostart/pressvale-default-printer.desktop"
        wait_until 10 "the restore to end" eval '! switch_recorded && ! autostart_entry'
    fi
    default_is office || { echo "$1: label is still the default"; exit 1; }
    echo "$1: label was left the default; office is the default again"
}

run_and_end() {
    local way=$1 expected=$2 status=0
    pressvale_make_work_folder
    pressvale_start_desktop "$desktop"
    pressvale_private_session "$cupsd_dir"
    default_is office || { echo "office is not the default to begin with"; exit 1; }
    # The printer box starts on "label": its place among the scheduler's destinations.
    printf '[Pressvale]\nCombo1=%d\n' $(($(lpstat -e | grep -n -x label | cut -d: -f1) - 1)) \
        >"$work/config/Quillmark.ini"
    local printed_before
    printed_before=$(jobs_on_label)

    [[ $way == LPDEST ]] && export LPDEST=office
    start_run 0
    if [[ $way == LPDEST ]]; then
        wait_until 30 "the report that LPDEST overrides the choice" eval '[[ $(pressvale_windows "Application Error") -eq 1 ]]'
        pressvale_key Escape
        kill -TERM "$program_pid"
        wait_until 20 "the program to end" program_ended
        wait "$program_pid" || status=$?
        program_pid=
        [[ $status == "$expected" && ! -e $HOME/.cups/lpoptions ]] && ! switch_recorded && ! autostart_entry &&
            echo "$way: reported; the user's lpoptions is as it was" && return
        echo "$way: ended with $status; lpoptions:" "$(cat "$HOME/.cups/lpoptions" 2>&1)"
        exit 1
    fi
    wait_until 30 "label to become the default" default_is label
    # The guard the run started, the program's child; a row that fails ends it on its way out.
    guard_pid=$(guard_of "$program_pid")
    [[ -n $guard_pid ]] || { echo "$way: no printer guard runs"; exit 1; }
    [[ $(ls "/proc/$guard_pid/fd" | sort -n | tail -n1) -le 2 ]] ||
        { echo "$way: the guard holds more than its pipe ends:" "$(ls -l "/proc/$guard_pid/fd")"; exit 1; }
    trap '[[ -n $guard_pid ]] && kill -KILL "$guard_pid" 2>/dev/null; pressvale_clean_up' EXIT
    local first_pid=$program_pid
    second_pid=
    if [[ $way == second-program ]]; then
        start_run 1
        second_pid=$program_pid program_pid=$first_pid
        trap 'kill -KILL $guard_pid 2>/dev/null || true; kill "$second_pid" 2>/dev/null || true; pressvale_clean_up' EXIT
        wait_until 30 "the second program's guard" eval '[[ -n $(guard_of "$second_pid") ]]'
    fi

    case $way in
        display) pressvale_end_display ;;
        both-*) kill -KILL "$guard_pid" "$program_pid" && guard_pid= ;;
        second-program) kill -KILL "$program_pid" ;;
        *) kill -s "${way#SIG}" "$program_pid" ;;
    esac
    wait_until 20 "the program to end" program_ended
    wait "$program_pid" || status=$?
    program_pid=
    [[ "|$expected|" == *"|$status|"* ]] || { echo "$way: ended with status $status"; cat "$work/program.log"; exit 1; }
    case $way in
        both-*) restore_after_both_killed "$way"; return ;;
        second-program)
            wait_until 5 "the first program's guard to end" pressvale_ended "$guard_pid"
            default_is label || { echo "$way: label stopped being the default under the second run"; exit 1; }
            program_pid=$second_pid guard_pid=$(guard_of "$second_pid")
            kill -TERM "$program_pid"
            wait_until 20 "the second program to end" program_ended
            wait "$program_pid" || true
            program_pid=
            ;;
    esac
    # The guard tries three times, a second apart, while the print system does not answer; on a
    # loaded machine the first try may find the scheduler busy.
    wait_until 10 "office to be the default again" default_is office
    wait_until 5 "the printer guard to end" pressvale_ended "$guard_pid"
    guard_pid=
    local printed=$(($(jobs_on_label) - printed_before))
    [[ $way == second-program ]] && { echo "$way: label stayed the default until the second run ended"; return; }
    ((printed < samples)) || { echo "$way: the run went on to the last file"; exit 1; }
    echo "$way: ended with status $status after $printed of $samples files; office is the default again"
}

# Each way in a subshell that cleans up what it started; the first failure ends the script.
for entry in "${ways[@]}"; do
    (run_and_end $entry)
done
