#!/usr/bin/env bash
# Builds Pressvale for 64-bit Windows into build-windows/: bin/pressvale.exe with the files
# beside it, its zip (pressvale-<version>-windows-x64.zip) and installer
# (pressvale-<version>-windows-x64.msi), the stand-in reader
# (tools/AcroRd32.exe) and the tests, cross-compiled with MinGW-w64 and linked statically, so
# the programs need no DLL beyond those of Windows. Installs the cross compiler, Wine (which runs the tests) and
# GoogleTest's source and the installer compiler first when they are missing. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh

pressvale_install_packages "${PRESSVALE_WINDOWS_PACKAGES[@]}"

# Optimised as the Linux build is, but without debug information, which makes compiling and
# linking the static programs markedly slower. Nothing here runs a Windows program: CTest lists
# each test program's tests when it runs them.
pressvale_build build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "$@"

# The zip a user unpacks and runs and the installer (cmake/packaging_windows.cmake).
(cd build-windows && cpack --config CPackConfig.cmake >/dev/null)
cmake --build build-windows --target pressvale_msi >/dev/null
for package in build-windows/pressvale-*-windows-x64.{zip,msi}; do echo "Made $package"; done
