#!/usr/bin/env bash
# Sets up this machine (packages, build, a printer) and starts Pressvale.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/cups.sh

pressvale_install_packages
# Only what the program needs to run: itself, the stand-in reader and the files beside it.
pressvale_build build -- pressvale pressvale_reader pressvale_assets
pressvale_ensure_printer

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    display=:$((90 + RANDOM % 100))
    echo "No display found: starting a virtual X server on $display for the program."
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT INT TERM
    export DISPLAY=$display
    sleep 1
fi
# Through the pressvale command, as installed: on GNOME's Wayland session it runs through
# XWayland, elsewhere on the session's own display.
build/pressvale
