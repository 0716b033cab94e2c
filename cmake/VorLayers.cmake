# The layers of the build: which headers a library shows, and which libraries a program may not
# link.
#
# vor_public_headers(<target>) gives <target> the include folder
# ${CMAKE_BINARY_DIR}/include/<target>/, which holds <folder>/<name>.h links to the headers among
# the target's own sources and nothing else, and makes it the target's PUBLIC include directory.
# `#include "folder/name.h"` therefore finds a header only when the including code is the
# header's library, links it, or links a library that links it PUBLIC: an include across the
# layers that the link dependencies do not allow fails to build. Every library calls this (none
# adds the source root as an include directory).
#
# The links are made when the folder's CMakeLists.txt has been read, so sources added later in it
# with target_sources() count too; the folder is made afresh at every configure, so a header that
# moves or goes leaves no link behind. Where links cannot be made, the headers are copied, and a
# change of one configures again.
function(vor_public_headers target)
  set(dir ${CMAKE_BINARY_DIR}/include/${target})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${dir})
  else()
    target_include_directories(${target} PUBLIC ${dir})
  endif()
  cmake_language(EVAL CODE "cmake_language(DEFER CALL _vor_link_headers ${target} ${dir})")
endfunction()

function(_vor_link_headers target dir)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  file(REMOVE_RECURSE ${dir})
  foreach(source ${sources})
    if(NOT source MATCHES "\\.h$")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${source_dir} NORMALIZE
               OUTPUT_VARIABLE header)
    cmake_path(RELATIVE_PATH header BASE_DIRECTORY ${PROJECT_SOURCE_DIR}
               OUTPUT_VARIABLE relative)
    cmake_path(GET relative PARENT_PATH parent)
    file(MAKE_DIRECTORY ${dir}/${parent})
    file(CREATE_LINK ${header} ${dir}/${relative} SYMBOLIC COPY_ON_ERROR)
    if(NOT IS_SYMLINK ${dir}/${relative})
      # A copy: a change of the header must make it anew.
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    endif()
  endforeach()
endfunction()

# vor_forbid_link(<program> <library>...) stops the configure step when <program> links one of
# the libraries through any of its dependencies: the command-line programs stay free of widgets.
function(vor_forbid_link program)
  set(seen "")
  set(pending ${program})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(alias ${current} ALIASED_TARGET)
    if(alias)
      list(APPEND pending ${alias})
    endif()
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link ${links})
      if(link IN_LIST ARGN)
        message(FATAL_ERROR "${program} must not link ${link}, but ${current} links it")
      endif()
      list(APPEND pending ${link})
    endforeach()
  endwhile()
endfunction()
