# pressvale_layer(TARGET FOLDER [ONLY stem...] [EXCLUDE stem...] [LINKS target...])
#
# A static library of the sources in src/FOLDER (all of them, only the named stems, or all but
# the excluded ones). Its headers are reached as "FOLDER/name.h" through an include root that
# holds links to this layer's own headers and nothing else, so a target sees the headers of the
# layers it links and no others: an include against the grain fails to build.
function(pressvale_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ONLY;EXCLUDE;LINKS")
  set(dir ${PROJECT_SOURCE_DIR}/src/${folder})
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  set(sources)
  foreach(file IN LISTS files)
    get_filename_component(stem ${file} NAME_WE)
    if((arg_ONLY AND NOT stem IN_LIST arg_ONLY) OR stem IN_LIST arg_EXCLUDE)
      continue()
    endif()
    get_filename_component(name ${file} NAME)
    if(name MATCHES "\\.h$")
      file(CREATE_LINK ${file} ${root}/${folder}/${name} SYMBOLIC)
    endif()
    list(APPEND sources ${file})
  endforeach()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${arg_LINKS})
endfunction()
