# A private headless GNOME compositor (mutter) for tests that drive a native Wayland window as
# a person would: pointer moves, clicks, drags and keys through mutter's remote-desktop API,
# and pictures of the screen through its screen cast. Source it from bash (the tests run it as
# root), then:
#
#   pressvale_mutter_start        start the session and point this shell at it
#   pressvale_mutter move X Y     one command to the pointer and keyboard (mutter_input.py
#                                 beside this file lists them: move, press, release, click,
#                                 key, keydown, keyup, keycode, screenshot, pixel); fails on
#                                 an error
#   pressvale_mutter_click X Y    move, let the compositor see the pointer there, click
#   pressvale_mutter_drag X0 Y0 X1 Y1 [STEPS]
#   pressvale_mutter_screenshot FILE
#   pressvale_mutter_pixel X Y    the colour there, RRGGBB; pressvale_mutter_wait_for_colour
#   pressvale_mutter_window_place W H     where a new window of W x H pixels is placed
#   pressvale_mutter_stop         stop everything the session started, by process id; call it
#                                 from the caller's EXIT trap
#
# Everything lives in the folder $pressvale_mutter_dir: the runtime folder (Wayland, PipeWire
# and D-Bus sockets), a home, configuration and state folders for the services, and their logs
# (*.log). Screen places are pixels of the one virtual monitor, 1280 x 1024, scale 1.

PRESSVALE_MUTTER_WIDTH=1280
PRESSVALE_MUTTER_HEIGHT=1024

pressvale_mutter_support=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)
pressvale_mutter_dir='' pressvale_mutter_pids=() pressvale_mutter_bus_pid='' pressvale_mutter_input_pid=''
# How long the last pressvale_mutter_start took, in seconds.
pressvale_mutter_start_seconds=''

# pressvale_mutter_wait SECONDS COMMAND...: runs COMMAND every tenth of a second until it
# succeeds; fails when it has not within SECONDS.
pressvale_mutter_wait() {
    local deadline=$((SECONDS + $1 + 1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# pressvale_mutter_wait_on PID SECONDS COMMAND...: as pressvale_mutter_wait, but gives up at
# once when the process PID, which is to bring about what COMMAND looks for, has ended.
pressvale_mutter_wait_on() {
    local pid=$1 deadline=$((SECONDS + $2 + 1))
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) && pressvale_mutter_running "$pid" || return 1
        sleep 0.1
    done
}

# Succeeds while the process $1 runs (neither gone nor a zombie waiting to be reaped).
pressvale_mutter_running() {
    local stat
    read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
    stat=${stat##*) }
    [[ ${stat:0:1} != Z ]]
}

# Prints the processes of the session (setsid) whose leader is $1: the bus and every service
# it started on demand, with their children.
pressvale_mutter_session_members() {
    local file stat fields
    for file in /proc/[0-9]*/stat; do
        read -r stat 2>/dev/null <"$file" || continue
        read -r -a fields <<<"${stat##*) }"
        [[ ${fields[3]} == "$1" ]] && echo "${file//[^0-9]/}"
    done
}

# Stops the process $1 with SIGTERM, then SIGKILL when it has not ended within five seconds.
pressvale_mutter_end() {
    pressvale_mutter_running "$1" || { wait "$1" 2>/dev/null; return 0; }
    kill -TERM "$1" 2>/dev/null
    if ! pressvale_mutter_wait 5 eval "! pressvale_mutter_running $1"; then
        echo "mutter session: process $1 did not end on SIGTERM; killing it" >&2
        kill -KILL "$1" 2>/dev/null
        pressvale_mutter_wait 5 eval "! pressvale_mutter_running $1"
    fi
    wait "$1" 2>/dev/null
    return 0
}

pressvale_mutter_fail() {
    echo "mutter session: $1" >&2
    local log
    for log in "$pressvale_mutter_dir"/*.log; do
        [[ -s $log ]] && { echo "--- ${log##*/}" >&2; tail -n 20 "$log" >&2; }
    done
    pressvale_mutter_stop
    return 1
}

pressvale_mutter_seat_ready() {
    timeout 5 wayland-info 2>/dev/null | grep -q 'capabilities: pointer keyboard'
}

pressvale_mutter_name_owned() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}

# Starts the session and exports what a Wayland client needs to use it: XDG_RUNTIME_DIR,
# WAYLAND_DISPLAY, DBUS_SESSION_BUS_ADDRESS (the session's own bus, on which AT-SPI also starts
# on demand), QT_QPA_PLATFORM=wayland and QT_WAYLAND_DISABLE_WINDOWDECORATION=1 (no title bar of
# Qt's own, so a window is exactly its contents); DISPLAY is unset, so no client falls back to X.
pressvale_mutter_start() {
    local started=$EPOCHREALTIME dir
    dir=$(mktemp -d /tmp/pressvale-mutter.XXXXXX) || return 1
    pressvale_mutter_dir=$dir
    pressvale_mutter_pids=()
    mkdir -m 700 "$dir/run" && mkdir -p "$dir/home" "$dir/config" "$dir/state" || return 1

    # mutter reads its settings from a key file rather than dconf: no settings service to
    # start, and nothing written to anyone's own settings. New windows are centred on the
    # monitor, and a click does not raise a window, so places and stacking stay known.
    mkdir -p "$dir/config/glib-2.0/settings"
    cat >"$dir/config/glib-2.0/settings/keyfile" <<'KEYS'
[org/gnome/mutter]
center-new-windows=true
[org/gnome/desktop/wm/preferences]
raise-on-click=false
KEYS
    # WirePlumber links the screen cast to its readers; it must not take the machine's sound
    # cards, cameras or Bluetooth devices.
    mkdir -p "$dir/config/wireplumber/main.lua.d" "$dir/config/wireplumber/bluetooth.lua.d"
    cat >"$dir/config/wireplumber/main.lua.d/51-no-devices.lua" <<'LUA'
alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
LUA
    echo 'bluez_monitor.enabled = false' >"$dir/config/wireplumber/bluetooth.lua.d/51-no-devices.lua"

    export XDG_RUNTIME_DIR=$dir/run WAYLAND_DISPLAY=wayland-pressvale
    export QT_QPA_PLATFORM=wayland QT_WAYLAND_DISABLE_WINDOWDECORATION=1
    unset DISPLAY WAYLAND_SOCKET
    local services_env=(env HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_STATE_HOME="$dir/state"
        XDG_RUNTIME_DIR="$dir/run" GSETTINGS_BACKEND=keyfile NO_AT_BRIDGE=1)

    # The bus leads a session of its own, so that the services it starts on demand (AT-SPI's
    # bus and registry) can be found, and stopped, by that session's id.
    "${services_env[@]}" setsid dbus-daemon --session --nofork --nosyslog --address="unix:path=$dir/run/bus" \
        --print-address=3 --print-pid=4 3>"$dir/bus.address" 4>"$dir/bus.pid" >"$dir/bus.log" 2>&1 &
    pressvale_mutter_wait 10 test -s "$dir/bus.pid" -a -s "$dir/bus.address" ||
        pressvale_mutter_fail "the session bus did not start" || return 1
    pressvale_mutter_bus_pid=$(head -n1 "$dir/bus.pid")
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$dir/bus.address")
    export DBUS_SESSION_BUS_ADDRESS
    dbus-update-activation-environment HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" \
        XDG_STATE_HOME="$dir/state" XDG_RUNTIME_DIR="$dir/run" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" \
        GSETTINGS_BACKEND=keyfile 2>>"$dir/bus.log" ||
        pressvale_mutter_fail "could not set the bus's activation environment" || return 1

    "${services_env[@]}" pipewire >"$dir/pipewire.log" 2>&1 &
    pressvale_mutter_pids+=($!)
    pressvale_mutter_wait_on "${pressvale_mutter_pids[-1]}" 10 test -S "$dir/run/pipewire-0" ||
        pressvale_mutter_fail "PipeWire did not start" || return 1
    "${services_env[@]}" wireplumber >"$dir/wireplumber.log" 2>&1 &
    pressvale_mutter_pids+=($!)

    "${services_env[@]}" mutter --wayland --headless --no-x11 --wayland-display="$WAYLAND_DISPLAY" \
        --virtual-monitor "${PRESSVALE_MUTTER_WIDTH}x$PRESSVALE_MUTTER_HEIGHT" >"$dir/mutter.log" 2>&1 &
    pressvale_mutter_pids+=($!)
    pressvale_mutter_wait_on "${pressvale_mutter_pids[-1]}" 20 pressvale_mutter_name_owned org.gnome.Mutter.RemoteDesktop ||
        pressvale_mutter_fail "mutter did not start" || return 1
    pressvale_mutter_wait_on "${pressvale_mutter_pids[-1]}" 10 test -S "$dir/run/$WAYLAND_DISPLAY" ||
        pressvale_mutter_fail "mutter opened no Wayland socket" || return 1

    # The input program keeps mutter's remote-desktop session, which lives as long as its
    # owner's connection to the bus. It reads commands from one pipe and answers on another,
    # and says it is ready once the screen cast, which WirePlumber links to it, gives pictures.
    mkfifo "$dir/input.commands" "$dir/input.answers" || return 1
    exec {pressvale_mutter_to_input}<>"$dir/input.commands" {pressvale_mutter_from_input}<>"$dir/input.answers"
    /usr/bin/python3 "$pressvale_mutter_support/mutter_input.py" Meta-0 \
        <"$dir/input.commands" >"$dir/input.answers" 2>"$dir/input.log" &
    pressvale_mutter_input_pid=$!
    local answer=
    read -r -t 30 -u "$pressvale_mutter_from_input" answer
    [[ $answer == ready* ]] ||
        pressvale_mutter_fail "the remote-desktop session did not start: ${answer:-no answer}" || return 1
    # Clients get a pointer and a keyboard once the seat offers both.
    pressvale_mutter_wait 10 pressvale_mutter_seat_ready ||
        pressvale_mutter_fail "the seat offers no pointer and keyboard" || return 1

    pressvale_mutter_start_seconds=$(awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
}

# pressvale_mutter COMMAND [ARGUMENTS...]: sends one command to the remote-desktop session and
# waits up to thirty seconds for its answer; prints its result, if any; fails, saying why,
# unless it was carried out.
pressvale_mutter() {
    local answer=
    [[ -n $pressvale_mutter_input_pid ]] || { echo "mutter session: not started" >&2; return 1; }
    printf '%s\n' "$*" >&"$pressvale_mutter_to_input"
    read -r -t 30 -u "$pressvale_mutter_from_input" answer
    case $answer in
    ok) return 0 ;;
    "ok "*) echo "${answer#ok }"; return 0 ;;
    esac
    echo "mutter session: \"$*\": ${answer:-no answer within 30 s}" >&2
    return 1
}

pressvale_mutter_click() { pressvale_mutter click "$@"; }
# pressvale_mutter_drag X0 Y0 X1 Y1 [STEPS]: presses button 1 at (X0, Y0), moves to (X1, Y1) in
# STEPS (ten unless told) even steps, each taken once the compositor has drawn the one before,
# and releases the button there. A drop target answers the drag in its own time, and a drop
# before that answer is refused: where the caller can see the answer (the drag source's own
# report, say), press, move and release with pressvale_mutter and wait for it before releasing.
pressvale_mutter_drag() {
    local steps=${5:-10} step
    pressvale_mutter move "$1" "$2" && pressvale_mutter press || return 1
    for ((step = 1; step <= steps; step++)); do
        pressvale_mutter move $(($1 + ($3 - $1) * step / steps)) $(($2 + ($4 - $2) * step / steps)) || break
    done
    pressvale_mutter release
}
pressvale_mutter_screenshot() { pressvale_mutter screenshot "$(realpath -m -- "$1")"; }
# pressvale_mutter_pixel X Y: prints the colour at (X, Y) as the screen was last drawn, RRGGBB.
pressvale_mutter_pixel() { pressvale_mutter pixel "$1" "$2"; }
# pressvale_mutter_wait_for_colour X Y RRGGBB [SECONDS]: waits (ten seconds unless told) for
# the screen to show that colour at (X, Y), as it does once a window has been drawn there.
pressvale_mutter_wait_for_colour() {
    pressvale_mutter_wait "${4:-10}" eval "[[ \$(pressvale_mutter_pixel $1 $2) == ${3^^} ]]"
}

# pressvale_mutter_window_place WIDTH HEIGHT: prints "X Y", the top left corner on the monitor
# of a new top-level window of that size (its contents; no title bar is drawn). mutter centres
# new windows, rounding down; a dialog of a centred window is centred the same way.
pressvale_mutter_window_place() {
    echo "$(((PRESSVALE_MUTTER_WIDTH - $1) / 2)) $(((PRESSVALE_MUTTER_HEIGHT - $2) / 2))"
}

# Stops the input program, mutter, WirePlumber, PipeWire, the bus and whatever the bus
# started, each by process id, and removes the session's folder.
pressvale_mutter_stop() {
    local pid index
    if [[ -n $pressvale_mutter_input_pid ]]; then
        { printf 'quit\n' >&"$pressvale_mutter_to_input"; } 2>/dev/null
        pressvale_mutter_wait 5 eval "! pressvale_mutter_running $pressvale_mutter_input_pid" ||
            kill -TERM "$pressvale_mutter_input_pid" 2>/dev/null
        wait "$pressvale_mutter_input_pid" 2>/dev/null
        exec {pressvale_mutter_to_input}>&- {pressvale_mutter_from_input}<&-
        pressvale_mutter_input_pid=
    fi
    for ((index = ${#pressvale_mutter_pids[@]} - 1; index >= 0; index--)); do
        pressvale_mutter_end "${pressvale_mutter_pids[index]}"
    done
    pressvale_mutter_pids=()
    if [[ -n $pressvale_mutter_bus_pid ]]; then
        # Services the bus started end when it does; any that stays, still in the bus's
        # session, is stopped too.
        local members
        mapfile -t members < <(pressvale_mutter_session_members "$pressvale_mutter_bus_pid")
        pressvale_mutter_end "$pressvale_mutter_bus_pid"
        for pid in "${members[@]}"; do
            [[ $pid == "$pressvale_mutter_bus_pid" ]] && continue
            pressvale_mutter_wait 2 eval "! pressvale_mutter_running $pid" && continue
            pressvale_mutter_session_members "$pressvale_mutter_bus_pid" | grep -qx "$pid" &&
                pressvale_mutter_end "$pid"
        done
        pressvale_mutter_bus_pid=
    fi
    [[ -n $pressvale_mutter_dir ]] && rm -rf -- "$pressvale_mutter_dir"
    pressvale_mutter_dir=
    return 0
}
