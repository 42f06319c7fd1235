# GoogleTest built with this tree's own compiler from Debian's sources, for
# the trees whose compiler Debian's libgtest-dev does not serve (win32, web).
if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in /usr/src/googletest: run scripts/setup ${CALC_ENGINE}")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# It names its targets GTest::gtest and GTest::gtest_main, as find_package does.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
