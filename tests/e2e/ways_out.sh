#!/usr/bin/env bash
# A print run of the real program, under a private virtual X server and against the private
# CUPS scheduler in CUPSD_DIR (default "office"), prints the sample files on "label". Once
# "label" has become the default, the program is sent SIGTERM or SIGHUP, or its X server goes
# away, or it is killed or crashes (SIGKILL, SIGSEGV, SIGABRT), or, running on a headless
# Wayland compositor instead, the compositor goes away; in the last four its printer guard puts
# the default back. Each time it must end with the expected status, having stopped where it
# was, "office" must be the user's default again within two seconds, and the guard must be gone.
#
#   ways_out.sh PROGRAM X11_WINDOW CUPSD_DIR
set -euo pipefail
source "$(dirname "$0")/../support/desktop.sh"
program=$1 probe=$2 cupsd_dir=$3
guard_program=$(realpath "$(dirname "$program")/pressvale-guard")
guard_pid=
samples=$(find "$(dirname "$program")/Samples" -maxdepth 1 -type f | wc -l)

# Way, and the exit status then: 0 where the program leaves its event loop, 1 where Qt's X11
# plugin ends it on the lost connection (exit) or its Wayland plugin on the lost compositor
# (_exit), 128 and the signal's number where the signal ends it.
ways=("SIGTERM 0" "SIGHUP 0" "display 1" "SIGKILL 137" "SIGSEGV 139" "SIGABRT 134" "compositor 1")
# A checked build's own SIGSEGV handler would end the program with its report instead; the
# crash is left to the system here. No core files.
export ASAN_OPTIONS=handle_segv=0
ulimit -c 0

# Waits up to SECONDS for COMMAND to succeed; ends the way's subshell, naming WHAT, if it never does.
wait_until() {
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || { echo "waited in vain for $what"; exit 1; }
        sleep 0.1
    done
}
windows_titled_pressvale() { [[ $(xdotool search --onlyvisible --name '^Pressvale$' | wc -l) -eq $1 ]]; }
default_is() { [[ $(lpstat -d) == "system default destination: $1" ]]; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
# Ended, or a zombie that nobody has collected.
guard_ended() { [[ $(ps -o stat= -p "$guard_pid" || echo Z) == Z* ]]; }
jobs_on_label() { find "$cupsd_dir/jobs/label" -name '*.job' | wc -l; }

# The window's side of a way: under the virtual X server xdotool clicks and types; on the
# headless Wayland compositor ("compositor"), which takes no synthetic input, AT-SPI presses the
# buttons through their actions, each press waiting for its button.
on_wayland() { [[ $way == compositor ]]; }
atspi() { "$(dirname "$0")/atspi_window.py" "$1" "$program_pid" "$2" 30; }
start_display() { if on_wayland; then pressvale_start_wayland; else pressvale_start_display; fi; }
# Presses the button NAME, centred at X Y in the window: the control table's twips over 15.
press() {
    if on_wayland; then atspi press "$1"; return; fi
    if [[ -z ${window:-} ]]; then
        "$probe" wait Pressvale 30 >/dev/null
        window=$(xdotool search --onlyvisible --name '^Pressvale$')
    fi
    xdotool mousemove --window "$window" "$2" "$3" click 1
}
# Answers No to the question after the sample files: the sample folder is not opened.
answer_no() {
    if on_wayland; then atspi answer No; return; fi
    wait_until 10 "the question after the sample files" windows_titled_pressvale 2
    xdotool key Escape
    wait_until 10 "the question to close" windows_titled_pressvale 1
}

run_and_end() {
    local way=$1 expected=$2 status=0
    pressvale_make_work_folder
    start_display
    pressvale_private_session "$cupsd_dir"
    default_is office || { echo "office is not the default to begin with"; exit 1; }
    # The printer box starts on "label": its place among the scheduler's destinations.
    printf '[Pressvale]\nCombo1=%d\n' $(($(lpstat -e | grep -n -x label | cut -d: -f1) - 1)) \
        >"$work/config/Quillmark.ini"
    local printed_before
    printed_before=$(jobs_on_label)

    "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    press "Load Sample/Example Files" 400 216
    answer_no
    press "Start Printing" 268 311
    wait_until 30 "label to become the default" default_is label
    # The guard the run started, the program's child; a row that fails ends it on its way out.
    local child
    for child in $(ps -o pid= --ppid "$program_pid"); do
        if [[ $(readlink "/proc/$child/exe") == "$guard_program" ]]; then guard_pid=$child; fi
    done
    [[ -n $guard_pid ]] || { echo "$way: no printer guard runs"; exit 1; }
    trap '[[ -n $guard_pid ]] && kill -KILL "$guard_pid" 2>/dev/null; pressvale_clean_up' EXIT

    case $way in
        display) kill "$xvfb_pid" && wait "$xvfb_pid" || true; xvfb_pid= ;;
        compositor) kill "$weston_pid" && wait "$weston_pid" || true; weston_pid= ;;
        *) kill -s "${way#SIG}" "$program_pid" ;;
    esac
    wait_until 20 "the program to end" program_ended
    wait "$program_pid" || status=$?
    program_pid=
    [[ $status -eq $expected ]] || { echo "$way: ended with status $status"; cat "$work/program.log"; exit 1; }
    wait_until 2 "office to be the default again" default_is office
    wait_until 5 "the printer guard to end" guard_ended
    guard_pid=
    local printed=$(($(jobs_on_label) - printed_before))
    ((printed < samples)) || { echo "$way: the run went on to the last file"; exit 1; }
    echo "$way: ended with status $status after $printed of $samples files; office is the default again"
}

# Each way in a subshell that cleans up what it started; the first failure ends the script.
for entry in "${ways[@]}"; do
    (run_and_end $entry)
done
