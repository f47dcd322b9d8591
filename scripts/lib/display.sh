# The virtual X server of every script that needs a display of its own. Source it from bash.

source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

# pressvale_start_display FOLDER SIZE PID_VARIABLE: starts a private virtual X server with a
# screen of SIZE (WIDTHxHEIGHT) on a display number that is free, which it finds itself,
# points DISPLAY at it and sets the variable PID_VARIABLE to its process id. FOLDER keeps the
# display's number and the server's messages.
pressvale_start_display() {
    rm -f "$1/display"
    Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp 3>"$1/display" 2>"$1/xvfb.log" &
    printf -v "$3" %s "$!"
    pressvale_wait 10 test -s "$1/display" || { echo "Xvfb did not start"; cat "$1/xvfb.log"; return 1; }
    export DISPLAY=:$(head -n1 "$1/display")
}
