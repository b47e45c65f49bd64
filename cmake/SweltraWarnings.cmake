# Strict warnings for our own targets; Qt's headers are system headers and stay quiet.
function(sweltra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wold-style-cast -Wcast-align -Woverloaded-virtual)
  if(SWELTRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A static library of one src/ module, whose headers others include as "<folder>/<header>.h".
# The module's include root in the build tree holds nothing but a link named after its folder, so
# a target sees the headers of exactly the modules it links: a layer cannot reach one it does not
# name. PUBLIC names what the module's headers need (its users get it too), PRIVATE what only its
# sources use.
function(sweltra_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(root ${PROJECT_BINARY_DIR}/include-roots/${folder})
  file(MAKE_DIRECTORY ${root})
  file(REMOVE ${root}/${folder})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${root})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  sweltra_warnings(${name})
endfunction()
