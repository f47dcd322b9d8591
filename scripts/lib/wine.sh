# Used by scripts/test.sh, and by hand before running ctest in build-windows: the Wine session
# that the Windows build's tests run in. Source it from the repository's top folder.

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

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
    pressvale_start_display "$WINEPREFIX" 1024x768 pressvale_xvfb_pid
    wineserver -p
    # Wine's background services start with the first program and live as long as the
    # server; started here, they hold no output pipe of a later program open (CMake and
    # CTest read a test program's output until every holder has closed it).
    scripts/lib/run_in_wine.sh "$WINEPREFIX" wineboot >/dev/null 2>&1
    # Wine hands top-level windows to the window manager and, when one goes, waits for the
    # manager to take it off the screen: two seconds each time, as there is none here, in which
    # the program's thread reads no other X event: after a message box, a click in those two
    # seconds is lost, and a file drag from an X program gets no answer and is cancelled.
    # Wine keeps the windows to itself instead.
    scripts/lib/run_in_wine.sh "$WINEPREFIX" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # One program holds Wine's desktop open for the whole session, so that the test programs
    # neither wait for it to start nor leave it holding their output
    # (tests/support/keep_desktop.cpp).
    local keeper=$1/tests/pressvale_keep_desktop.exe
    if [ -f "$keeper" ]; then
        rm -f "$WINEPREFIX/desktop"
        scripts/lib/run_in_wine.sh "$WINEPREFIX" "$keeper" </dev/null >"$WINEPREFIX/desktop" 2>/dev/null &
        pressvale_wait 30 test -s "$WINEPREFIX/desktop"
    fi
}

pressvale_wine_stop() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    wineserver -k 2>/dev/null || true
    kill "$pressvale_xvfb_pid" 2>/dev/null || true
    wait "$pressvale_xvfb_pid" 2>/dev/null || true
    unset WINEPREFIX DISPLAY pressvale_xvfb_pid
    trap - EXIT
}
