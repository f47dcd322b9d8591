# Shared by the scripts that run the real program as a person would. Source it from bash and
# call pressvale_make_work_folder first. A caller that starts the program keeps its process id
# in program_pid and its output in $work/program.log.

# Makes the temporary folder `work`; when the script ends, whatever it started (the program,
# the virtual X server, the Wayland compositor and the buses) is stopped by process id and the
# folder removed.
pressvale_make_work_folder() {
    work=$(mktemp -d)
    xvfb_pid= program_pid= weston_pid= a11y_pid= bus_pid=
    trap pressvale_clean_up EXIT
}

pressvale_clean_up() {
    local pid
    for pid in "$program_pid" "$xvfb_pid" "$weston_pid" "$a11y_pid" "$bus_pid"; do
        [[ -n $pid ]] && kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}

# Starts a private virtual X server and points DISPLAY at it; sets xvfb_pid.
pressvale_start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    [[ -s $work/display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
    export DISPLAY=:$(head -n1 "$work/display")
}

# Starts a headless Wayland compositor, alone (no shell helper, no on-screen keyboard), and the
# accessibility bus on a private session bus, in a private XDG_RUNTIME_DIR; points the program
# (Qt's Wayland plugin, its accessibility always on) and AT-SPI clients at them. Sets
# weston_pid, bus_pid and a11y_pid.
pressvale_start_wayland() {
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    printf '[core]\nshell=kiosk-shell.so\n[input-method]\npath=\n' >"$work/weston.ini"
    weston --backend=headless-backend.so --use-pixman --socket=wayland-pressvale \
        --config="$work/weston.ini" >"$work/weston.log" 2>&1 &
    weston_pid=$!
    dbus-daemon --session --address="unix:path=$XDG_RUNTIME_DIR/bus" --nofork --print-address=3 \
        3>"$work/bus" 2>"$work/dbus.log" &
    bus_pid=$!
    for _ in $(seq 100); do [[ -s $work/bus && -S $XDG_RUNTIME_DIR/wayland-pressvale ]] && break; sleep 0.1; done
    [[ -s $work/bus && -S $XDG_RUNTIME_DIR/wayland-pressvale ]] ||
        { echo "weston or the session bus did not start"; cat "$work/weston.log" "$work/dbus.log"; return 1; }
    export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y.log" 2>&1 &
    a11y_pid=$!
    # Until the launcher holds its name, a client's question would have the bus start another.
    for _ in $(seq 100); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true' && break
        sleep 0.1
    done
    export WAYLAND_DISPLAY=wayland-pressvale QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    unset DISPLAY
}

# Gives the program a clean home and settings folder, the private CUPS scheduler in the
# folder $1, and a stand-in opener: about one start in a hundred opens the home page, which
# the stand-in records in $work/opened.
pressvale_private_session() {
    mkdir -p "$work/home" "$work/config" "$work/opener"
    printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/opener/xdg-open"
    chmod +x "$work/opener/xdg-open"
    export PATH=$work/opener:$PATH
    export HOME=$work/home XDG_CONFIG_HOME=$work/config
    export CUPS_SERVER=$1/cups.sock CUPS_SERVERROOT=$1/etc
    unset LPDEST PRINTER
}

# Starts a private CUPS scheduler in $work/cupsd with one printer, "bench", its default, and
# points this session at it (pressvale_private_session); the caller stops it with
# `tests/support/private_cupsd.sh stop "$work/cupsd"`.
pressvale_bench_scheduler() {
    mkdir -p "$work/cupsd"
    tests/support/private_cupsd.sh start "$work/cupsd" >/dev/null
    tests/support/private_cupsd.sh add-printer "$work/cupsd" bench >/dev/null
    tests/support/private_cupsd.sh set-default "$work/cupsd" bench >/dev/null
    pressvale_private_session "$work/cupsd"
}

# Waits up to ten seconds for the window titled $1 to show the colour $2 (RRGGBB, upper case)
# at its pixel (2,2), as it does once painted, and leaves that picture of it in the file $3.
# Fails, saying the colour it showed, when it does not.
pressvale_wait_for_window_colour() {
    local window shown=
    window=$(xwininfo -name "$1" | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
    for _ in $(seq 100); do
        import -window "$window" "$3"
        shown=$(convert "$3" -format '%[hex:p{2,2}]' info:)
        [[ ${shown:0:6} == "$2" ]] && return 0
        sleep 0.1
    done
    echo "The window \"$1\" shows #${shown:0:6}, not #$2."
    return 1
}

# Closes the window "Pressvale" through the window probe $1 and waits up to ten seconds for the
# program to end; fails unless it ended with status 0. Clears program_pid once it has ended.
pressvale_close_and_expect_clean_end() {
    "$1" close Pressvale
    for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "The program did not end after its window was closed."
        return 1
    fi
    local status=0
    wait "$program_pid" || status=$?
    program_pid=
    [[ $status -eq 0 ]] || { echo "The program ended with status $status:"; cat "$work/program.log"; return 1; }
}
