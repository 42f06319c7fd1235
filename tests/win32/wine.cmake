# calc-win32's tests are cross-built with GoogleTest from Debian's sources and
# run under Wine, all in one Wine session (private Xvfb, prefix in the build
# tree, one persistent wineserver) that a fixture starts and stops. Built on
# Windows itself (MSYS2), the same tests run natively, on the real desktop.
if(CMAKE_HOST_WIN32)
  # MSYS2's gtest package holds static archives beside the DLL, and its CMake
  # package names the DLL. The programs link -static: the tests link the
  # archives too, so no test program carries a second C++ runtime.
  find_package(Threads REQUIRED)
  find_path(CALC_GTEST_INCLUDE gtest/gtest.h REQUIRED)
  foreach(lib gtest gtest_main)
    find_library(CALC_${lib}_ARCHIVE lib${lib}.a REQUIRED)
    add_library(GTest::${lib} STATIC IMPORTED)
    set_target_properties(GTest::${lib} PROPERTIES IMPORTED_LOCATION ${CALC_${lib}_ARCHIVE}
                          INTERFACE_INCLUDE_DIRECTORIES ${CALC_GTEST_INCLUDE})
  endforeach()
  set_property(TARGET GTest::gtest PROPERTY INTERFACE_LINK_LIBRARIES Threads::Threads)
  set_property(TARGET GTest::gtest_main PROPERTY INTERFACE_LINK_LIBRARIES GTest::gtest)
  set(host_drive "")  # paths as they are
  # wine_test(<name> <target> [args...]): runs the target's .exe directly.
  function(wine_test name target)
    add_test(NAME ${name} COMMAND ${target} ${ARGN})
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop TIMEOUT 60)
  endfunction()
  return()
endif()

if(NOT CALC_WINE)
  message(FATAL_ERROR "Wine not found: run scripts/setup win32")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/../support/googletest.cmake)
set(host_drive Z:)  # Wine's drive for the Linux file system

set(WINE_SESSION ${CMAKE_CURRENT_LIST_DIR}/wine-session)
set(WINE_STATE ${CMAKE_CURRENT_BINARY_DIR}/win32/wine)

add_test(NAME win32.session.start COMMAND ${WINE_SESSION} start ${WINE_STATE} ${CALC_WINE})
add_test(NAME win32.session.stop COMMAND ${WINE_SESSION} stop ${WINE_STATE})
set_tests_properties(win32.session.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(win32.session.stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

# wine_test(<name> <target> [args...]): runs the target's .exe in the session.
function(wine_test name target)
  add_test(NAME ${name}
           COMMAND ${WINE_SESSION} run ${WINE_STATE} ${CALC_WINE} $<TARGET_FILE:${target}> ${ARGN})
  # One display and one desktop: the tests take turns even under ctest -j.
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop TIMEOUT 60)
endfunction()
