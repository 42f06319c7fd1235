# calc-cocoa on macOS (AppKit): the engine tests with the facade's contract
# and the report tests, once per locale as on GNUstep (compat_test.mm and the session scripts are
# GNUstep's own), and the built app pressed through the accessibility API
# where this Mac allows it.
# A number formatter takes its locale from the AppleLocale default, given on
# the command line; NSLog writes to a redirected stderr only when forced.
enable_language(OBJCXX)
add_library(cocoa_test_support STATIC test_support.mm)
target_link_libraries(cocoa_test_support PUBLIC calc_engine_cocoa GTest::gtest)
# The engine with the facade's contract, the recording Controller in place
# of the core's (tests/core runs the core itself).
add_executable(cocoa_engine_tests engine_test.mm)
target_link_libraries(cocoa_engine_tests PRIVATE cocoa_test_support calc_contract_tests)
add_executable(cocoa_report_tests report_test.mm)
target_link_libraries(cocoa_report_tests PRIVATE cocoa_test_support calc_engine_cocoa calc_core_cocoa)

# en_US_POSIX writes decimals with a point and no grouping, as GNUstep's C.
foreach(binary engine report)
  foreach(run "c;en_US_POSIX;C;-*PtBr*:*EnUs*" "pt_BR;pt_BR;pt_BR.UTF-8;*PtBr*" "en_US;en_US;en_US.UTF-8;*EnUs*")
    list(GET run 0 suffix)
    list(GET run 1 apple_locale)
    list(GET run 2 lang)
    list(GET run 3 filter)
    set(name cocoa.${binary}.${suffix})
    add_test(NAME ${name} COMMAND $<TARGET_FILE:cocoa_${binary}_tests> -AppleLocale ${apple_locale})
    set_tests_properties(${name} PROPERTIES TIMEOUT 150 RESOURCE_LOCK desktop
      ENVIRONMENT "LANG=${lang};GTEST_FILTER=${filter};GTEST_COLOR=no;CFLOG_FORCE_STDERR=1"
      ENVIRONMENT_MODIFICATION "LC_ALL=unset:;LC_NUMERIC=unset:")
  endforeach()
endforeach()

add_test(NAME cocoa.program.press
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/macos_press.sh $<TARGET_FILE:calc-cocoa>
          ${CMAKE_CURRENT_BINARY_DIR}/calc-cocoa.png)
# 77: this Mac does not let the script use System Events (the reason is printed).
set_tests_properties(cocoa.program.press PROPERTIES TIMEOUT 120 RESOURCE_LOCK desktop SKIP_RETURN_CODE 77)
