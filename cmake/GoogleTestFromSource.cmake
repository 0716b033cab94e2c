# Debian's GoogleTest libraries are built for the build machine. A cross build compiles GoogleTest
# and GoogleMock from the sources Debian ships beside them (libgtest-dev: /usr/src/googletest),
# which name their targets as find_package(GTest) does (GTest::gtest, GTest::gmock, ...).
set(VOR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, for cross builds")
if(NOT EXISTS ${VOR_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest's sources are not in ${VOR_GOOGLETEST_SOURCE} (libgtest-dev)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
# Our warning options are not GoogleTest's; its headers count as the system's in our tests.
get_directory_property(vor_saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${VOR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${vor_saved_options}")
