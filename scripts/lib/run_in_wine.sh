#!/bin/bash
# run_in_wine.sh PREFIX PROGRAM [ARGUMENT...]: runs a Windows test program under 64-bit Wine in the
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
# Debian's Wine has no preloader to keep the kernel from putting the heap of its loader (a
# program at 0x7d000000, whose heap may start anywhere in the gigabyte above) over the page
# where Wine maps its shared user data, 0x7ffe0000. About one start in 3,000 then ended at once
# with status 1 ("failed to map the shared user data", a message WINEDEBUG=-all hides). Without
# address-space randomisation the heap starts right above the loader.
wine=(setarch "$(uname -m)" --addr-no-randomize /usr/lib/wine/wine64)
# A made prefix has its registry file, or, while a wineserver kept running (wineserver -p)
# has not written that yet, the mark left here when it was made.
made() { [[ -f $prefix/system.reg || -f $prefix/.made ]]; }
if ! made; then
    mkdir -p "$prefix"
    # Test programs may start at the same time; one of them makes the prefix. The lock is
    # not handed on to Wine's processes, which may outlive this one.
    exec 9>"$prefix.lock"
    flock 9
    made || { "${wine[@]}" wineboot -i 9>&- >/dev/null 2>&1 && touch "$prefix/.made"; }
    exec 9>&-
fi
[[ -n ${PRESSVALE_WINE_START_LOG:-} ]] || exec "${wine[@]}" "$@"

began=${EPOCHREALTIME/./}
status=0
"${wine[@]}" "$@" || status=$?
printf '%(%T)T %7d ms  status %3d  %s\n' "${began:0:-6}" $(((${EPOCHREALTIME/./} - began) / 1000)) $status "$*" \
    >>"$PRESSVALE_WINE_START_LOG"
exit $status
