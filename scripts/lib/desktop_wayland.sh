# The desktop driver's Wayland implementation (desktop.sh sources it): a private headless GNOME
# compositor (mutter), worked through its remote-desktop API and read through AT-SPI.

pressvale_wayland_start() {
    local services=("$@")
    export WAYLAND_DISPLAY=wayland-pressvale QT_QPA_PLATFORM=wayland QT_WAYLAND_DISABLE_WINDOWDECORATION=1
    unset DISPLAY
    # A window that zooms in as it is shown would take a click beside its place.
    "${services[@]}" MUTTER_DEBUG_DISABLE_ANIMATIONS=1 mutter --wayland --headless --no-x11 \
        --wayland-display="$WAYLAND_DISPLAY" --virtual-monitor "${pressvale_screen[0]}x${pressvale_screen[1]}" \
        >"$work/mutter.log" 2>&1 &
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

# The compositor is killed: SIGTERM may not end it.
pressvale_wayland_end_display() {
    kill -KILL "$mutter_pid" && wait "$mutter_pid" || true
    mutter_pid=
}

pressvale_wayland_wait_window() { atspi wait "$@"; }

pressvale_wayland_windows() { atspi ids "$1" | wc -l; }

# mutter centres new windows, rounding down.
pressvale_wayland_origin() {
    local size
    read -r -a size < <(atspi size "$1") || return 1
    echo $(((pressvale_screen[0] - size[0]) / 2)) $(((pressvale_screen[1] - size[1]) / 2))
}

pressvale_wayland_pointer() { pressvale_mutter "$@"; }

# Keys go to the active window; to a message box once it is active, as a key sent before then
# is lost.
pressvale_wayland_type() { pressvale_mutter key "$1"; }
pressvale_wayland_key() { pressvale_wait 5 atspi box && pressvale_mutter key "$1"; }

# mutter draws no title bar for a Wayland client: a click activates the window, then its key
# Alt+F4 closes it.
pressvale_wayland_close() {
    pressvale_click "$1" 2 2 && atspi wait "$1" 5 >/dev/null && pressvale_mutter key Alt_L+F4
}

# Each window closed by Escape.
pressvale_wayland_close_each() {
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
