#!/bin/bash
# wine.sh PREFIX PROGRAM [ARGUMENT...]: runs a Windows test program under 64-bit Wine in the
# private prefix PREFIX, which is made on first use. Quiet: Wine's own messages are off, and
# the prefix gets neither Mono nor Gecko (nothing here needs them, and their installers would
# ask).
#
# With PRESSVALE_WINE_START_LOG naming a file, each start adds a line to it: the time it
# began, the milliseconds it ran, its exit status and the command.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A made prefix has its registry file, or, while a wineserver kept running (wineserver -p)
# has not written that yet, the mark left here when it was made.
made() { [[ -f $prefix/system.reg || -f $prefix/.made ]]; }
if ! made; then
    mkdir -p "$prefix"
    # Test programs may start at the same time; one of them makes the prefix. The lock is
    # not handed on to Wine's processes, which may outlive this one.
    exec 9>"$prefix.lock"
    flock 9
    made || { wineboot -i 9>&- >/dev/null 2>&1 && touch "$prefix/.made"; }
    exec 9>&-
fi
[[ -n ${PRESSVALE_WINE_START_LOG:-} ]] || exec /usr/lib/wine/wine64 "$@"

began=${EPOCHREALTIME/./}
status=0
/usr/lib/wine/wine64 "$@" || status=$?
printf '%(%T)T %7d ms  status %3d  %s\n' "${began:0:-6}" $(((${EPOCHREALTIME/./} - began) / 1000)) $status "$*" \
    >>"$PRESSVALE_WINE_START_LOG"
exit $status
