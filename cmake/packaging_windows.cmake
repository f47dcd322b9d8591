# The Windows program as a zip made with CPack, which a user unpacks and runs:
#   build-windows/pressvale-<version>-windows-x64.zip
# holding one folder of that name with pressvale.exe and the files beside it (HAND-M.CUR,
# drag.ico, x\o.cjs, Samples\). scripts/build-windows.sh makes it after the build. The
# stand-in reader is for tests only and is not in it: on Windows the installed reader prints.

install(TARGETS pressvale RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/program/ DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pressvale)
set(CPACK_PACKAGE_VENDOR "The Pressvale developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME pressvale-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
