# The desktop driver's X implementation (desktop.sh sources it): a private virtual X server
# without a window manager, worked through XTest (xdotool) and the window probe `probe`.

pressvale_x11_start() {
    pressvale_start_display "$work" "${pressvale_screen[0]}x${pressvale_screen[1]}" xvfb_pid
}

pressvale_x11_end_display() {
    kill "$xvfb_pid" && wait "$xvfb_pid" || true
    xvfb_pid=
}

pressvale_x11_wait_window() { "$probe" wait "$@"; }

pressvale_x11_windows() { xdotool search --onlyvisible --name "^$1\$" | wc -l; }

pressvale_x11_origin() {
    xdotool search --onlyvisible --name "^$1\$" getwindowgeometry --shell | sed -n 's/^[XY]=//p' | head -n2 | xargs
}

pressvale_x11_pointer() {
    local -A buttons=([click]="click 1" [press]="mousedown 1" [release]="mouseup 1")
    xdotool mousemove "$2" "$3" ${buttons[$1]:-}
}

# Keys go to the window under the pointer: no window manager gives the focus.
pressvale_x11_type() { xdotool key "$1"; }
pressvale_x11_key() { xdotool key "$1"; }

pressvale_x11_close() { "$probe" close "$1"; }

pressvale_x11_close_each() { "$probe" close-each "$@"; }
