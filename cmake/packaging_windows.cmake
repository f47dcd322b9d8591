# The Windows program as a zip made with CPack, which a user unpacks and runs:
#   build-windows/pressvale-<version>-windows-x64.zip
# holding one folder of that name with pressvale.exe, its printer guard pressvale-guard.exe
# and the files beside it (HAND-M.CUR, drag.ico, x\o.cjs, Samples\); and as an installer made
# from the same install rules with wixl (packaging/windows/), by the target pressvale_msi:
#   build-windows/pressvale-<version>-windows-x64.msi
# scripts/build-windows.sh makes both after the build. The stand-in reader is for tests only
# and is in neither: on Windows the installed reader prints.

set(package_name pressvale-${PROJECT_VERSION}-windows-x64)
install(TARGETS pressvale pressvale_guard RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/program/ DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pressvale)
set(CPACK_PACKAGE_VENDOR "The Pressvale developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${package_name})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

add_custom_target(pressvale_msi
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${PROJECT_BINARY_DIR} -DVERSION=${PROJECT_VERSION}
          -DSUPPORT_ADDRESS=${PRESSVALE_SUPPORT_ADDRESS}
          -DOUTPUT=${PROJECT_BINARY_DIR}/${package_name}.msi
          -P ${PROJECT_SOURCE_DIR}/packaging/windows/msi.cmake
  COMMENT "Making ${package_name}.msi" VERBATIM)
add_dependencies(pressvale_msi pressvale)
