# Qt 6.4.2 for 64-bit Windows comes as an archive (qt-6.4.2-mingw64.tar.xz) kept in a shared/
# folder beside the checkout, with the script that built it. It is unpacked once into a cache
# folder outside the checkout, after its checksum is checked, and never built here.
#
# Where the archive is looked for, first found first: the file VOR_QT_WINDOWS_ARCHIVE names (an
# environment variable), ../shared/qt-windows/ beside the source folder, /work/shared/qt-windows/.
# Where it goes: $VOR_CACHE_DIR, else $XDG_CACHE_HOME/vor-user, else ~/.cache/vor-user.

set(VOR_QT_WINDOWS_NAME qt-6.4.2-mingw64)
set(VOR_QT_WINDOWS_SHA256 f73c71a5b62c69535d71a16050249f8797d5cbbd22e17678626d510717c66839)

function(vor_unpack_qt_for_windows out_var)
  if(DEFINED ENV{VOR_CACHE_DIR})
    set(cache $ENV{VOR_CACHE_DIR})
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(cache $ENV{XDG_CACHE_HOME}/vor-user)
  else()
    set(cache $ENV{HOME}/.cache/vor-user)
  endif()
  # The checksum names the folder, so another archive never mixes with this one.
  string(SUBSTRING ${VOR_QT_WINDOWS_SHA256} 0 12 short)
  set(target ${cache}/${VOR_QT_WINDOWS_NAME}-${short})
  set(${out_var} ${target}/${VOR_QT_WINDOWS_NAME} PARENT_SCOPE)
  # The stamp is written last: a folder without it is an unpacking that was cut short.
  if(EXISTS ${target}/unpacked)
    return()
  endif()

  get_filename_component(source_dir ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
  set(candidates)
  if(DEFINED ENV{VOR_QT_WINDOWS_ARCHIVE})
    list(APPEND candidates $ENV{VOR_QT_WINDOWS_ARCHIVE})
  endif()
  list(APPEND candidates ${source_dir}/../shared/qt-windows/${VOR_QT_WINDOWS_NAME}.tar.xz
       /work/shared/qt-windows/${VOR_QT_WINDOWS_NAME}.tar.xz)
  set(archive "")
  foreach(candidate ${candidates})
    if(EXISTS ${candidate})
      set(archive ${candidate})
      break()
    endif()
  endforeach()
  if(NOT archive)
    list(JOIN candidates "\n  " tried)
    message(FATAL_ERROR "The Qt for Windows archive is not there; looked for:\n  ${tried}\n"
                        "Set VOR_QT_WINDOWS_ARCHIVE to its path.")
  endif()

  file(MAKE_DIRECTORY ${cache})
  # Two configures at once (a try_compile reads this file again) unpack it once.
  file(LOCK ${cache}/${VOR_QT_WINDOWS_NAME}.lock GUARD FUNCTION TIMEOUT 600)
  if(EXISTS ${target}/unpacked)
    return()
  endif()
  file(SHA256 ${archive} sum)
  if(NOT sum STREQUAL VOR_QT_WINDOWS_SHA256)
    message(FATAL_ERROR "${archive} has sha256 ${sum}, not ${VOR_QT_WINDOWS_SHA256}: "
                        "it is not the archive this build was made for.")
  endif()
  message(STATUS "Unpacking ${archive} into ${target}")
  file(REMOVE_RECURSE ${target})
  file(MAKE_DIRECTORY ${target})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${archive}
                  WORKING_DIRECTORY ${target} RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT EXISTS ${target}/${VOR_QT_WINDOWS_NAME}/bin/Qt6Core.dll)
    file(REMOVE_RECURSE ${target})
    message(FATAL_ERROR "Unpacking ${archive} failed (${result})")
  endif()
  file(WRITE ${target}/unpacked "${archive}\n")
endfunction()
