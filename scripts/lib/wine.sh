# Shared by scripts/build-windows.sh and scripts/test.sh: the Wine session of the Windows
# build. Source it from the repository's top folder.

# pressvale_wine_start BUILD_DIR: starts a private virtual X server (Wine draws windows and
# dialogs only on a display) and one wineserver for the build's private Wine prefix
# (BUILD_DIR/wineprefix, the one its test programs use, made here when missing). Both end when
# the script exits; pressvale_wine_stop ends them earlier.
pressvale_wine_start() {
    mkdir -p "$1/wineprefix"
    export WINEPREFIX DISPLAY
    WINEPREFIX=$(cd "$1/wineprefix" && pwd -P)
    export WINEDEBUG=-all
    trap pressvale_wine_stop EXIT
    rm -f "$WINEPREFIX/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WINEPREFIX/display" 2>/dev/null &
    pressvale_xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$WINEPREFIX/display" ] && break; sleep 0.1; done
    DISPLAY=:$(head -n1 "$WINEPREFIX/display")
    wineserver -p
    # Wine's background services start with the first program and live as long as the
    # server; started here, they hold no output pipe of a later program open (CMake and
    # CTest read a test program's output until every holder has closed it).
    tests/win32/wine.sh "$WINEPREFIX" wineboot >/dev/null 2>&1
}

pressvale_wine_stop() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    wineserver -k 2>/dev/null || true
    kill "$pressvale_xvfb_pid" 2>/dev/null || true
    wait "$pressvale_xvfb_pid" 2>/dev/null || true
    unset WINEPREFIX DISPLAY pressvale_xvfb_pid
    trap - EXIT
}
