# Shared by scripts/build-windows.sh and scripts/test.sh: Wine sessions for the Windows build.
# Source it from the repository's top folder.

# pressvale_under_wine BUILD_DIR COMMAND...: runs COMMAND with the build's private Wine prefix
# (BUILD_DIR/wineprefix, the one its test programs use) and one wineserver that is started
# for it and ended after it, for that prefix only. Returns COMMAND's status.
pressvale_under_wine() {
    local dir=$1 status=0
    shift
    mkdir -p "$dir/wineprefix"
    export WINEPREFIX
    WINEPREFIX=$(cd "$dir/wineprefix" && pwd -P)
    export WINEDEBUG=-all
    wineserver -p
    # Wine's background services start with the first program and live as long as the
    # server; started here, they hold no output pipe of a later program open (CMake and
    # CTest read a test program's output until every holder has closed it).
    tests/win32/wine.sh "$WINEPREFIX" wineboot >/dev/null 2>&1
    "$@" || status=$?
    wineserver -k 2>/dev/null || true
    unset WINEPREFIX
    return "$status"
}
