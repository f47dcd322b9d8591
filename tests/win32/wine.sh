#!/bin/bash
# wine.sh PREFIX PROGRAM [ARGUMENT...]: runs a Windows test program under 64-bit Wine in the
# private prefix PREFIX, which is made on first use. Quiet: Wine's own messages are off, and
# the prefix gets neither Mono nor Gecko (nothing here needs them, and their installers would
# ask).
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [[ ! -f $prefix/system.reg ]]; then
    mkdir -p "$prefix"
    # Test programs may start at the same time; one of them makes the prefix.
    flock "$prefix.lock" bash -c '[[ -f $WINEPREFIX/system.reg ]] || wineboot -i >/dev/null 2>&1'
fi
exec /usr/lib/wine/wine64 "$@"
