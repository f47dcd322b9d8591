# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the staged install tree before the package is made:
# strips every ELF executable as Debian's packaging tools do, symbols and the .comment and
# .note sections (the compiler's version string) included.
find_program(PRESSVALE_STRIP NAMES strip REQUIRED)
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}" OR NOT EXISTS "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND ${PRESSVALE_STRIP} --remove-section=.comment --remove-section=.note
                            --strip-unneeded "${file}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "strip failed on ${file}")
    endif()
  endif()
endforeach()
