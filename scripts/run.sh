#!/usr/bin/env bash
# Sets up this machine (packages, build, a printer) and starts Pressvale.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh
source scripts/lib/cups.sh
source scripts/lib/display.sh

pressvale_install_packages "${PRESSVALE_PACKAGES[@]}"
# Only what the program needs to run: itself, the stand-in reader and the files beside it.
pressvale_build build -- pressvale pressvale_reader pressvale_assets
pressvale_ensure_printer

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    display_folder=$(mktemp -d)
    xvfb_pid=
    trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$display_folder"' EXIT INT TERM
    pressvale_start_display "$display_folder" 1280x1024 xvfb_pid
    echo "No display found: started a virtual X server on $DISPLAY for the program."
fi
# Through the pressvale command, as installed: on GNOME's Wayland session it runs through
# XWayland, elsewhere on the session's own display.
build/pressvale
