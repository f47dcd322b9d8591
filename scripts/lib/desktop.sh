# Shared by the scripts that run the real program as a person would, on a private virtual X
# server ("x11") or natively on a private headless GNOME compositor ("wayland"), alike through
# the functions below. Source it from bash, set `probe` to the X window probe (x11_window) and
# call pressvale_make_work_folder first. A caller that starts the program keeps its process id
# in program_pid and its output in $work/program.log.

pressvale_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$pressvale_support/display.sh"
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
    if [[ $desktop == x11 ]]; then pressvale_start_display "$work" "${pressvale_screen[0]}x${pressvale_screen[1]}" xvfb_pid; return; fi

    export WAYLAND_DISPLAY=wayland-pressvale QT_QPA_PLATFORM=wayland QT_WAYLAND_DISABLE_WINDOWDECORATION=1
    unset DISPLAY
    # A window that zooms in as it is shown would take a click beside its place.
    "${services[@]}" MUTTER_DEBUG_DISABLE_ANIMATIONS=1 mutter --wayland --headless --no-x11 \
        --wayland-display="$WAYLAND_DISPLAY" --virtual-monitor "${pressvale_screen[0]}x${pressvale_screen[1]}" >"$work/mutter.log" 2>&1 &
    mutter_pid=$!
    # mutter ends the remote-desktop session when its owner leaves the bus: one program keeps
    # it, taking commands from pressvale_mutter, and says "ready" once the seat has its devices.
    pressvale_wait 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" && pressvale_wait 10 gdbus introspect --session \
        --dest org.gnome.Mutter.RemoteDesktop --object-path /org/gnome/Mutter/RemoteDesktop >/dev/null ||
        { echo "mutter did not start"; cat "$work/mutter.log"; return 1; }
    coproc input { exec /usr/bin/python3 "$pressvale_support/mutter_input.py" 2>"$work/input.log"; }
    input_pid=$input_PID
    local answer=
    read -r -t 30 -u "${input[0]}" answer
    [[ $answer == ready ]] || { echo "no remote-desktop session: $answer"; cat "$work/input.log"; return 1; }
    # Clients get a pointer and a keyboard once the seat offers both.
    pressvale_wait 10 eval 'timeout 5 wayland-info | grep -q "capabilities: pointer keyboard"' ||
        { echo "the seat offers no pointer and keyboard"; return 1; }
}

# pressvale_mutter COMMAND...: one command of mutter_input.py; fails, saying why, unless done.
pressvale_mutter() {
    local answer=
    echo "$*" >&"${input[1]}"
    read -r -t 30 -u "${input[0]}" answer
    [[ $answer == ok ]] || { echo "mutter: \"$*\": ${answer:-no answer}" >&2; return 1; }
}

# Ends the display: the X server, or the compositor (killed, as SIGTERM may not end it).
pressvale_end_display() {
    if [[ $desktop == x11 ]]; then
        kill "$xvfb_pid" && wait "$xvfb_pid" || true
        xvfb_pid=
    else
        kill -KILL "$mutter_pid" && wait "$mutter_pid" || true
        mutter_pid=
    fi
}

atspi() { "$pressvale_support/atspi_window.py" "$@"; }

# pressvale_wait_window TITLE SECONDS: waits for a window TITLE, on Wayland until it is active
# (shown by the compositor: a click before then is lost); prints the milliseconds waited.
pressvale_wait_window() {
    if [[ $desktop == x11 ]]; then "$probe" wait "$@"; else atspi wait "$@"; fi
}

# pressvale_windows TITLE: the number of shown windows TITLE.
pressvale_windows() {
    if [[ $desktop == x11 ]]; then xdotool search --onlyvisible --name "^$1\$" | wc -l; else atspi ids "$1" | wc -l; fi
}

# pressvale_origin TITLE: "X Y", the screen place of the window TITLE's top left corner; mutter
# centres new windows, rounding down.
pressvale_origin() {
    if [[ $desktop == x11 ]]; then
        xdotool search --onlyvisible --name "^$1\$" getwindowgeometry --shell | sed -n 's/^[XY]=//p' | head -n2 | xargs
    else
        local size
        read -r -a size < <(atspi size "$1") || return 1
        echo $(((pressvale_screen[0] - size[0]) / 2)) $(((pressvale_screen[1] - size[1]) / 2))
    fi
}

# pressvale_click TITLE X Y: a click at (X, Y) in the window TITLE.
pressvale_click() {
    local origin
    read -r -a origin < <(pressvale_origin "$1") || return 1
    set -- $((origin[0] + $2)) $((origin[1] + $3))
    if [[ $desktop == x11 ]]; then xdotool mousemove "$1" "$2" click 1; else pressvale_mutter click "$1" "$2"; fi
}

# pressvale_press TITLE NAME: a click at the centre of the control whose accessible name is
# NAME (a button's caption) in the window TITLE, found through AT-SPI.
pressvale_press() {
    local centre
    read -r -a centre < <(atspi centre "$1" "$2") || return 1
    pressvale_click "$1" "${centre[0]}" "${centre[1]}"
}

# pressvale_pointer ACTION X Y: the pointer moved to the screen place (X, Y), and its left button
# pressed there and held ("press"), let go ("release"), or neither ("move").
pressvale_pointer() {
    if [[ $desktop == x11 ]]; then
        local -A buttons=([press]="mousedown 1" [release]="mouseup 1")
        xdotool mousemove "$2" "$3" ${buttons[$1]:-}
    else
        pressvale_mutter "$@"
    fi
}

# pressvale_key KEY: a key by its X keysym name (Return, Escape) to the message box shown; on
# Wayland once it is active, as a key sent before then is lost.
pressvale_key() {
    if [[ $desktop == x11 ]]; then xdotool key "$1"; else pressvale_wait 5 atspi box && pressvale_mutter key "$1"; fi
}

# pressvale_close TITLE: asks the window TITLE to close, as its title bar's close button does
# (mutter draws none for a Wayland client: a click activates the window, then its key Alt+F4).
pressvale_close() {
    [[ $desktop == x11 ]] && { "$probe" close "$1"; return; }
    pressvale_click "$1" 2 2 && atspi wait "$1" 5 >/dev/null && pressvale_mutter key Alt_L+F4
}

# pressvale_close_each TITLE UNTIL SECONDS: closes each window TITLE as it is shown (by Escape
# on Wayland) until a window UNTIL is shown; prints how many it closed.
pressvale_close_each() {
    [[ $desktop == x11 ]] && { "$probe" close-each "$@"; return; }
    local title=$1 closed=() id deadline=$((SECONDS + $3))
    until [[ -n $(atspi ids "$2") ]]; do
        ((SECONDS < deadline)) || return 1
        id=$(atspi ids "$title" | head -n1)
        [[ -z $id || " ${closed[*]} " == *" $id "* ]] && continue
        pressvale_key Escape || return 1
        closed+=("$id")
    done
    echo "${#closed[@]}"
}

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
    pressvale_close Pressvale
    pressvale_wait 10 pressvale_ended "$program_pid" ||
        { echo "The program did not end after its window was closed."; return 1; }
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    [[ $status -eq 0 ]] || { echo "The program ended with status $status:"; cat "$work/program.log"; return 1; }
}
