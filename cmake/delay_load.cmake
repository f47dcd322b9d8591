# pressvale_delay_load(TARGET DLL FUNCTION...): TARGET loads DLL (DLL.dll where the name has no
# ending) when it first calls one of the FUNCTIONs, not as it starts. Each DLL loaded at start
# costs the window's first showing some milliseconds (most under Wine), and these are needed
# only later: by screen readers, the open-file dialog, the folder picker and drops; the
# printer guard needs the spooler only to put a default back. An import library in dlltool's delay-load
# form, linked ahead of the DLL's own import library, answers those functions; what it does
# not list still comes from the DLL's own library, loaded at start.
#
# The runtime's helper that resolves those functions writes into tables that newer linkers put
# in a read-only section; TARGET, which links the Win32 support library, gets that library's
# wrapper of the helper (src/platform/win32_support/delay_load_helper.cpp), which makes their
# pages writable for those stores. The wrapper is named as undefined so that the linker takes
# it from the library before it meets the delay-load libraries that call it.
function(pressvale_delay_load target dll)
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/delay_load)
  list(JOIN ARGN "\n  " functions)
  set(file ${dll})
  if(NOT dll MATCHES "\\.")
    string(APPEND file .dll)
  endif()
  file(CONFIGURE OUTPUT ${folder}/${dll}.def CONTENT "LIBRARY ${file}\nEXPORTS\n  ${functions}\n")
  set(library ${folder}/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${library}
                     COMMAND ${CMAKE_DLLTOOL} --input-def ${folder}/${dll}.def --output-delaylib ${library}
                     DEPENDS ${folder}/${dll}.def VERBATIM)
  add_custom_target(${target}_${dll}_delay_load DEPENDS ${library})
  add_dependencies(${target} ${target}_${dll}_delay_load)
  target_link_libraries(${target} PRIVATE ${library})
  target_link_options(${target} PRIVATE -Wl,--wrap=__delayLoadHelper2 -Wl,--undefined=__wrap___delayLoadHelper2)
endfunction()
