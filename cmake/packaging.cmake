# A Debian package from the install rules (cmake/install_layout.cmake), made with CPack:
#   cpack --config <build>/CPackConfig.cmake    gives pressvale_<version>-<revision>_<arch>.deb
# scripts/package.sh configures a Release build with the distribution's build flags and runs
# this. Run-time dependencies on shared libraries come from dpkg-shlibdeps (package dpkg-dev);
# Qt's platform plugins are loaded at run time, so shlibdeps cannot see them: they are named.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pressvale)
set(CPACK_PACKAGE_VENDOR "The Pressvale developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Pressvale developers <${PRESSVALE_SUPPORT_ADDRESS}>")
# A Debian package lives below /usr whatever prefix the build tree was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped the way Debian's tools strip (a plain strip leaves the compiler's .comment section).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_strip.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${PRESSVALE_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PRESSVALE_HOME_PAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's Wayland plugin: without it the window goes through XWayland on every Wayland desktop, and
# KDE Plasma's own title bar and sharp scaling come with a native Wayland window. A cursor
# theme: the arrow and the hourglass come from it, drawn at twice the size at a scale of 2;
# without any, Qt's Wayland plugin falls back to a small built-in set drawn at a scale of 1.
# Desktops bring one of these already, so nothing more is installed there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, adwaita-icon-theme | breeze-cursor-theme | dmz-cursor-theme")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "print many PDF files in one go
Pressvale prints a whole list of PDF files with one press of a button.
Build an ordered list from the open-file dialog, a whole folder tree,
files dragged from the file manager or the sample files, pick a printer,
and start printing: every file is printed in list order, through the
CUPS print system, while a progress bar advances.
.
The chosen printer is the default printer for the run; the previous
default is put back afterwards.")

include(CPack)
