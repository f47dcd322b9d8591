#!/usr/bin/env bash
# Sets up this machine (packages, build) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh

pressvale_install_packages
pressvale_build build
ctest --test-dir build --output-on-failure -j "$(nproc)" --timeout 600
