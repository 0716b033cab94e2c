# Cross toolchain for 64-bit Windows: Debian's MinGW-w64 GCC with POSIX threads, and the Qt for
# Windows that QtForWindows.cmake unpacks from the archive kept beside the checkout. Debian's own
# Qt gives the host tools (moc, rcc, uic, lrelease). Used by the windows preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

include(${CMAKE_CURRENT_LIST_DIR}/QtForWindows.cmake)
vor_unpack_qt_for_windows(VOR_QT_WINDOWS_DIR)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${VOR_QT_WINDOWS_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_PREFIX_PATH ${VOR_QT_WINDOWS_DIR})
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# -O2, as Debian builds: CMake's -O3 for Release trips GCC 12's maybe-uninitialized warnings
# inside Qt's headers with this target.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")
