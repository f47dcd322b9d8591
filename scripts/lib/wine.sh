# Shared by scripts/build-windows.sh and scripts/test.sh: the Wine session of the Windows
# build. Source it from the repository's top folder.

# pressvale_wine_start BUILD_DIR: starts one wineserver for the build's private Wine prefix
# (BUILD_DIR/wineprefix, the one its test programs use, made here when missing) and ends it
# when the script exits. pressvale_wine_stop ends it earlier.
pressvale_wine_start() {
    mkdir -p "$1/wineprefix"
    export WINEPREFIX
    WINEPREFIX=$(cd "$1/wineprefix" && pwd -P)
    export WINEDEBUG=-all
    wineserver -p
    trap pressvale_wine_stop EXIT
    # Wine's background services start with the first program and live as long as the
    # server; started here, they hold no output pipe of a later program open (CMake and
    # CTest read a test program's output until every holder has closed it).
    tests/win32/wine.sh "$WINEPREFIX" wineboot >/dev/null 2>&1
}

pressvale_wine_stop() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    wineserver -k 2>/dev/null || true
    unset WINEPREFIX
    trap - EXIT
}
