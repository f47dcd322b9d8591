#!/usr/bin/env bash
# Builds the Debian package of Pressvale: installs what the build needs (only what is missing),
# configures a Release build for the prefix /usr with Debian's build flags (hardening included),
# builds it and makes the package with CPack. Prints the package's path on the last line.
#
#   scripts/package.sh [BUILD_DIR]     (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/setup.sh

build_dir=${1:-build-package}
# dpkg-dev: dpkg-shlibdeps finds the libraries the package depends on, and dpkg-buildflags.
pressvale_install_packages "${PRESSVALE_PACKAGES[@]}" dpkg-dev

# The distribution's compiler and linker flags; CMake reads CXXFLAGS and LDFLAGS when the build
# folder is first configured, and the preprocessor flags (fortified functions) go with the
# compiler's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
# Set on every configure too, so that a build folder configured earlier gets them as well.
# Warnings stay warnings in this build: at -O3 GCC 12 warns falsely inside the standard
# library's string code (-Wrestrict, its bug 105329); the test builds hold our code to none.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DPRESSVALE_BUILD_TESTS=OFF -DPRESSVALE_WARNINGS_AS_ERRORS=OFF "-DCMAKE_CXX_FLAGS=$CXXFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
rm -f "$build_dir"/pressvale_*.deb
(cd "$build_dir" && cpack --config CPackConfig.cmake >cpack.log) || { cat "$build_dir/cpack.log"; exit 1; }
package=$(ls "$build_dir"/pressvale_*.deb)
echo "$(cd "$(dirname "$package")" && pwd -P)/$(basename "$package")"
