# Every Debian package the project installs, by what needs it (scripts/lib/setup.sh sources it;
# pressvale_install_packages installs those missing). The package test's clean roots install
# their own few, so as to prove the package's dependencies.

# To build and run the program (scripts/run.sh), and under every Linux test.
PRESSVALE_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-wayland libgl-dev libfontconfig-dev fonts-liberation
    libcups2-dev cups cups-client cups-bsd printer-driver-cups-pdf
    libgtest-dev libgmock-dev
    xvfb xauth x11-utils imagemagick libx11-dev xdotool
)
# The Linux tests run the program natively on a headless GNOME compositor too, driven through
# its remote-desktop API (Python's GLib bindings; wayland-info sees the seat's devices), read
# its windows through AT-SPI on a private session bus, and start its autostart entry with gio.
PRESSVALE_TEST_PACKAGES=(mutter dbus libglib2.0-bin wayland-utils at-spi2-core python3-gi python3-pyatspi)
# Only a whole run of scripts/test.sh: clang and its runtime libraries, libFuzzer among them
# (Debian's clang merely recommends them), and the Debian package's checkers.
PRESSVALE_FUZZ_PACKAGES=(clang libclang-rt-dev)
PRESSVALE_PACKAGE_CHECKERS=(dpkg-dev lintian desktop-file-utils appstream)
# The sources' format check, with the one clang-format the tree is formatted with.
PRESSVALE_FORMAT_PACKAGES=(clang-format-14)
# The Windows build (scripts/build-windows.sh) and its tests under Wine.
PRESSVALE_WINDOWS_PACKAGES=(
    cmake ninja-build
    g++-mingw-w64-x86-64-posix wine wine64 googletest
    # The printer tests run against a private CUPS scheduler, which Wine reads; the dialog
    # tests on a private virtual X server.
    cups cups-client xvfb
    # The zip test unpacks the zip.
    unzip
    # The installer's compiler (wixl, with wixl-heat that lists the files); msitools'
    # msiinfo shows what a package holds.
    wixl msitools
)
# The clean Debian roots of scripts/test.sh (scripts/lib/clean_root.sh).
PRESSVALE_ROOT_PACKAGES=(mmdebstrap)
