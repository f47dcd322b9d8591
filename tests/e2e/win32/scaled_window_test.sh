#!/bin/bash
# scaled_window_test.sh BUILD_DIR DPI WIDTH HEIGHT PROBE [ENV...]: in a Wine prefix of its own
# whose display has DPI dots per inch, starts the real program with the window probe PROBE (run
# through the command ENV, an env(1) call that sets its environment), which expects a client area of WIDTH by HEIGHT pixels
# and keeps its screenshot in BUILD_DIR/pressvale-window-DPI-dpi.bmp.
set -euo pipefail
build=$1 dpi=$2 width=$3 height=$4 probe=$5
shift 5

export WINEPREFIX
WINEPREFIX=$(mktemp -d "$build/prefix-$dpi-dpi.XXXXXX")
# Ends this prefix's own wineserver only.
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
wine=$(dirname "$0")/../../../scripts/lib/run_in_wine.sh
"$wine" "$WINEPREFIX" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null
# The scale is read when the prefix's wineserver starts.
wineserver -k
wineserver -w
windows() { echo "Z:$1" | tr / '\\'; }
"$@" "$wine" "$WINEPREFIX" "$probe" "$(windows "$build/bin/pressvale.exe")" "$(windows "$build/pressvale-window-$dpi-dpi.bmp")" "$width" "$height"
