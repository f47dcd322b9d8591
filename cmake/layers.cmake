# pressvale_layer(TARGET FOLDER [LINKS target...] [USES target...])
#
# A static library of the sources in src/FOLDER, or an interface library when they are headers
# only. Its headers are reached as "FOLDER/name.h" through an include root that holds links to
# this layer's own headers and nothing else, so a target sees the headers of the layers it links and no others:
# an include against the grain fails to build. LINKS are what the layer's own headers include,
# and reach whatever links the layer; USES are what only its sources use, and reach nothing
# above it.
function(pressvale_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "LINKS;USES")
  set(dir ${PROJECT_SOURCE_DIR}/src/${folder})
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  set(sources)
  foreach(file IN LISTS files)
    get_filename_component(name ${file} NAME)
    if(name MATCHES "\\.h$")
      file(CREATE_LINK ${file} ${root}/${folder}/${name} SYMBOLIC)
    endif()
    list(APPEND sources ${file})
  endforeach()
  if("${sources}" MATCHES "\\.cpp(;|$)")
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE ${sources})
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${root})
  target_link_libraries(${target} ${scope} ${arg_LINKS})
  if(arg_USES)
    if(scope STREQUAL "INTERFACE")
      message(FATAL_ERROR "pressvale_layer(${target}): src/${folder} holds headers only, which have no sources to "
                          "use ${arg_USES}; name what its headers include in LINKS")
    endif()
    target_link_libraries(${target} PRIVATE ${arg_USES})
  endif()
endfunction()
