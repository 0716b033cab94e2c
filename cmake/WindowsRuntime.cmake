# The Windows build's runtime on this machine: where the DLLs the programs load are (the Qt for
# Windows, the MinGW runtime), the Wine wrapper that runs programs and tests, and the list of
# DLLs the installer and the zip carry.

# The MinGW runtime DLLs: the C++ library, GCC's, and the POSIX threads the compiler was made with.
set(VOR_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The MinGW runtime DLL ${dll} was not found (${path})")
  endif()
  list(APPEND VOR_MINGW_RUNTIME_DLLS ${path})
endforeach()

set(VOR_QT_WINDOWS_BIN ${VOR_QT_WINDOWS_DIR}/bin)
set(VOR_QT_WINDOWS_PLUGINS ${VOR_QT_WINDOWS_DIR}/plugins)

# Wine finds DLLs in the folders of WINEPATH, given as Windows paths (Z: is the Unix root).
set(dirs ${VOR_QT_WINDOWS_BIN})
foreach(dll ${VOR_MINGW_RUNTIME_DLLS})
  get_filename_component(dir ${dll} DIRECTORY)
  list(APPEND dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dirs)
list(TRANSFORM dirs PREPEND "Z:")
list(TRANSFORM dirs REPLACE "/" "\\\\")
list(JOIN dirs ";" VOR_WINEPATH)
set(VOR_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# vor_windows_program(<target> DESCRIPTION <text> [INTERNAL_NAME <name>] [WINDOWED]) gives a Windows program its icon,
# version and manifest resources, and makes a WINDOWED one a program without a console window.
function(vor_windows_program target)
  cmake_parse_arguments(P "WINDOWED" "DESCRIPTION;INTERNAL_NAME" "" ${ARGN})
  set(VOR_RC_ICON ${PROJECT_SOURCE_DIR}/resources/art/icon.ico)
  set(VOR_RC_MANIFEST ${PROJECT_SOURCE_DIR}/resources/windows/program.manifest)
  string(REPLACE "." "," VOR_RC_VERSION_COMMAS ${PROJECT_VERSION})
  set(VOR_RC_DESCRIPTION ${P_DESCRIPTION})
  set(VOR_RC_INTERNAL_NAME ${target})
  if(P_INTERNAL_NAME)
    set(VOR_RC_INTERNAL_NAME ${P_INTERNAL_NAME})
  endif()
  set(VOR_RC_FILE_NAME ${target}.exe)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${VOR_RC_ICON} ${VOR_RC_MANIFEST})
  if(P_WINDOWED)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  endif()
endfunction()
