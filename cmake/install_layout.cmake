# Where an install puts Pressvale, below any prefix:
#
#   lib/pressvale/bin/                        the program folder: the program, its printer guard
#                                             (pressvale-guard) and the files beside it
#                                             (HAND-M.CUR, drag.ico, x/o.cjs, Samples/)
#   lib/pressvale/libexec/Adobe/Reader/AcroRd32.exe
#                                             the stand-in reader, in the Program Files folder the
#                                             program derives from its own folder (../libexec)
#   bin/pressvale                             a relative symbolic link to the program; the program
#                                             finds its folder from its resolved executable
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man1, share/doc/pressvale,
#   share/lintian/overrides                   the menu entry, AppStream data, menu icons, manual
#                                             page, copyright and changelog, lintian overrides
#
# The program folder and the Program Files folder keep the relation they have in the build
# tree (bin/ and libexec/ of one parent), so the program needs no install-time setting.

set(PRESSVALE_INSTALL_HOME "lib/pressvale" CACHE STRING
    "Folder below the install prefix that holds the program folder (bin/) and its Program Files folder (libexec/)")
if(IS_ABSOLUTE "${PRESSVALE_INSTALL_HOME}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  message(FATAL_ERROR "PRESSVALE_INSTALL_HOME and CMAKE_INSTALL_BINDIR must be relative to the install prefix")
endif()
set(PRESSVALE_INSTALL_PROGRAM_DIR ${PRESSVALE_INSTALL_HOME}/bin)
set(PRESSVALE_INSTALL_READER_DIR ${PRESSVALE_INSTALL_HOME}/libexec/Adobe/Reader)
set(PRESSVALE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)
set(PRESSVALE_GENERATED_INSTALL_DIR ${PROJECT_BINARY_DIR}/install-files)

install(TARGETS pressvale pressvale_guard RUNTIME DESTINATION ${PRESSVALE_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/program/ DESTINATION ${PRESSVALE_INSTALL_PROGRAM_DIR})
install(TARGETS pressvale_reader RUNTIME DESTINATION ${PRESSVALE_INSTALL_READER_DIR})

# The command: bin/pressvale, which starts ../lib/pressvale/bin/pressvale (relative, so the tree
# can move) on the desktop's own kind of display.
file(RELATIVE_PATH pressvale_command_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${PRESSVALE_INSTALL_PROGRAM_DIR}/pressvale)
configure_file(${PRESSVALE_PACKAGING_DIR}/pressvale.in ${PRESSVALE_GENERATED_INSTALL_DIR}/pressvale @ONLY)
install(PROGRAMS ${PRESSVALE_GENERATED_INSTALL_DIR}/pressvale DESTINATION ${CMAKE_INSTALL_BINDIR})
# The same command in the build tree (pressvale beside bin/), which scripts/run.sh starts, so
# that a run from the sources picks its display as the installed program does.
set(pressvale_command_target bin/pressvale)
configure_file(${PRESSVALE_PACKAGING_DIR}/pressvale.in ${PROJECT_BINARY_DIR}/pressvale
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE @ONLY)

# The menu entry, the AppStream data and the menu icons (drawn by tools/assetgen, the same
# picture as the window's icon).
install(FILES ${PRESSVALE_PACKAGING_DIR}/${PRESSVALE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PRESSVALE_PACKAGING_DIR}/${PRESSVALE_APP_ID}.metainfo.xml.in
               ${PRESSVALE_GENERATED_INSTALL_DIR}/${PRESSVALE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PRESSVALE_GENERATED_INSTALL_DIR}/${PRESSVALE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The manual page and the changelog, compressed the way Debian ships them (gzip -9, no name or
# time stamp, so the bytes are the same on every build), and the copyright file.
set(PRESSVALE_DEBIAN_REVISION 1 CACHE STRING "Debian revision of the package (the -N after the version)")
configure_file(${PRESSVALE_PACKAGING_DIR}/changelog.Debian.in
               ${PRESSVALE_GENERATED_INSTALL_DIR}/changelog.Debian @ONLY)
set(pressvale_compressed_docs)
foreach(source IN ITEMS ${PRESSVALE_PACKAGING_DIR}/pressvale.1 ${PRESSVALE_GENERATED_INSTALL_DIR}/changelog.Debian)
  get_filename_component(name ${source} NAME)
  set(compressed ${PRESSVALE_GENERATED_INSTALL_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND gzip -9 -n -c ${source} > ${compressed}
                     DEPENDS ${source} VERBATIM)
  list(APPEND pressvale_compressed_docs ${compressed})
endforeach()
add_custom_target(pressvale_install_docs ALL DEPENDS ${pressvale_compressed_docs})
install(FILES ${PRESSVALE_GENERATED_INSTALL_DIR}/pressvale.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PRESSVALE_PACKAGING_DIR}/copyright ${PRESSVALE_GENERATED_INSTALL_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/pressvale)
# Lintian's notes on this package that do not apply, each with the reason.
install(FILES ${PRESSVALE_PACKAGING_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME pressvale)
