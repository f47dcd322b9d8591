# Shared by the scripts that run the real program as a person would, on a private virtual X
# server ("x11") or natively on a private headless GNOME compositor ("wayland"), alike through
# the functions below. Source it from bash, set `probe` to the X window probe (x11_window) and
# call pressvale_make_work_folder first. A caller that starts the program keeps its process id
# in program_pid and its output in $work/program.log.

pressvale_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$pressvale_support/display.sh"
source "$pressvale_support/desktop_x11.sh"
source "$pressvale_support/desktop_wayland.sh"
# The screen of either display, in pixels.
pressvale_screen=(1280 1024)

# Makes the temporary folder `work`; when the script ends, whatever it started (the program,
# the display and the session bus with what it started) is stopped by process id and the
# folder removed.
pressvale_make_work_folder() {
    work=$(mktemp -d)
    program_pid= xvfb_pid= bus_pid= mutter_pid= input_pid=
    trap pressvale_clean_up EXIT
}

pressvale_clean_up() {
    # The bus leads a session of its own with the services it started on demand (AT-SPI's).
    local pid pids=("$program_pid" "$input_pid" "$xvfb_pid" ${bus_pid:+$(ps -o pid= -s "$bus_pid")})
    for pid in "${pids[@]}"; do [[ -n $pid ]] && kill "$pid" 2>/dev/null; done
    # While its clients and the remote-desktop session go, mutter may not end on SIGTERM; nor
    # may a service: what still runs after five seconds is killed.
    [[ -n $mutter_pid ]] && kill -KILL "$mutter_pid" 2>/dev/null
    for pid in "${pids[@]}"; do
        [[ -n $pid ]] && ! pressvale_wait 5 pressvale_ended "$pid" && kill -KILL "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}

# pressvale_start_desktop x11|wayland: starts that display and a private session bus, where the
# program's accessibility (always on) and AT-SPI's bus, started on demand, meet its readers.
pressvale_start_desktop() {
    desktop=$1
    export XDG_RUNTIME_DIR=$work/runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    # The services keep their settings and state apart from the program's; mutter reads its
    # settings from a key file: new windows are centred, so their places are known, and a
    # click raises none.
    local services=(env HOME="$work/services" XDG_CONFIG_HOME="$work/services" GSETTINGS_BACKEND=keyfile NO_AT_BRIDGE=1)
    mkdir -p "$work/services/glib-2.0/settings"
    printf '[org/gnome/mutter]\ncenter-new-windows=true\n[org/gnome/desktop/wm/preferences]\nraise-on-click=false\n' \
        >"$work/services/glib-2.0/settings/keyfile"
    "${services[@]}" setsid dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" \
        --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid" 2>"$work/dbus.log" &
    pressvale_wait 10 test -s "$work/bus.pid" -a -s "$work/bus" || { echo "no session bus"; cat "$work/dbus.log"; return 1; }
    bus_pid=$(head -n1 "$work/bus.pid")
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    "pressvale_${desktop}_start" "${services[@]}"
}

# Ends the display: the X server, or the compositor.
pressvale_end_display() { "pressvale_${desktop}_end_display"; }

atspi() { "$pressvale_support/atspi_window.py" "$@"; }

# pressvale_wait_window TITLE SECONDS: waits for a window TITLE, on Wayland until it is active
# (shown by the compositor: a click before then is lost); prints the milliseconds waited.
pressvale_wait_window() { "pressvale_${desktop}_wait_window" "$@"; }

# pressvale_windows TITLE: the number of shown windows TITLE.
pressvale_windows() { "pressvale_${desktop}_windows" "$@"; }

# pressvale_origin TITLE: "X Y", the screen place of the window TITLE's top left corner.
pressvale_origin() { "pressvale_${desktop}_origin" "$@"; }

# pressvale_pointer ACTION X Y: the pointer moved to the screen place (X, Y), and its left button
# clicked there ("click"), pressed and held ("press"), let go ("release"), or neither ("move").
pressvale_pointer() { "pressvale_${desktop}_pointer" "$@"; }

# pressvale_click TITLE X Y: a click at (X, Y) in the window TITLE.
pressvale_click() {
    local origin
    read -r -a origin < <(pressvale_origin "$1") || return 1
    pressvale_pointer click $((origin[0] + $2)) $((origin[1] + $3))
}

# pressvale_press TITLE NAME: a click at the centre of the control whose accessible name is
# NAME (a button's caption) in the window TITLE, found through AT-SPI.
pressvale_press() {
    local centre
    read -r -a centre < <(atspi centre "$1" "$2") || return 1
    pressvale_click "$1" "${centre[0]}" "${centre[1]}"
}

# pressvale_type KEY: a key by its X keysym name (Tab, Return) to the program's window.
pressvale_type() { "pressvale_${desktop}_type" "$@"; }

# pressvale_key KEY: a key by its X keysym name (Return, Escape) to the message box shown.
pressvale_key() { "pressvale_${desktop}_key" "$@"; }

# pressvale_close TITLE: asks the window TITLE to close, as its title bar's close button does.
pressvale_close() { "pressvale_${desktop}_close" "$@"; }

# pressvale_close_each TITLE UNTIL SECONDS: closes each window TITLE as it is shown until a
# window UNTIL is shown; prints how many it closed.
pressvale_close_each() { "pressvale_${desktop}_close_each" "$@"; }

# Gives the program a clean home and settings folder, the private CUPS scheduler in the
# folder $1, and a stand-in opener: about one start in a hundred opens the home page, which
# the stand-in records in $work/opened.
pressvale_private_session() {
    mkdir -p "$work/home" "$work/config" "$work/opener"
    printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/opener/xdg-open"
    chmod +x "$work/opener/xdg-open"
    export PATH=$work/opener:$PATH
    export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
    export CUPS_SERVER=$1/cups.sock CUPS_SERVERROOT=$1/etc
    unset LPDEST PRINTER
}

# Starts a private CUPS scheduler in $work/cupsd with one printer, "bench", its default, and
# points this session at it (pressvale_private_session); the caller stops it with
# `scripts/lib/private_cupsd.sh stop "$work/cupsd"`.
pressvale_bench_scheduler() {
    mkdir -p "$work/cupsd"
    scripts/lib/private_cupsd.sh start "$work/cupsd" >/dev/null
    scripts/lib/private_cupsd.sh add-printer "$work/cupsd" bench >/dev/null
    scripts/lib/private_cupsd.sh set-default "$work/cupsd" bench >/dev/null
    pressvale_private_session "$work/cupsd"
}

# Waits up to ten seconds for the window titled $1 to show the colour $2 (RRGGBB, upper case)
# at its pixel (2,2), as it does once painted, and leaves that picture of it in the file $3.
# Fails, saying the colour it showed, when it does not. X only: a Wayland client cannot take
# pictures of the screen.
pressvale_wait_for_window_colour() {
    local window shown=
    window=$(xwininfo -name "$1" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
    _pressvale_window_shows() {
        import -window "$window" "$3"
        shown=$(convert "$3" -format '%[hex:p{2,2}]' info:)
        [[ ${shown:0:6} == "$2" ]]
    }
    pressvale_wait 10 _pressvale_window_shows "$@" && return 0
    echo "The window \"$1\" shows #${shown:0:6}, not #$2."
    return 1
}

# Closes the window "Pressvale" and waits up to ten seconds for the
# program to end; fails unless it ended with status 0. Clears program_pid once it has ended.
pressvale_close_and_expect_clean_end() {
    # A key that the compositor takes before the window is active is lost: a window still
    # there after five seconds is asked once more.
    pressvale_close Pressvale
    pressvale_wait 5 pressvale_ended "$program_pid" || { pressvale_close Pressvale || true; } &&
        pressvale_wait 10 pressvale_ended "$program_pid" ||
        { echo "The program did not end after its window was closed. Its output:"; cat "$work/program.log"; return 1; }
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    [[ $status -eq 0 ]] || { echo "The program ended with status $status:"; cat "$work/program.log"; return 1; }
}
