# The packaging layer, on top of the program this tree builds. Each part
# finds its own tools; where one is missing, configure goes on and says in
# one line what it leaves out (scripts/setup package brings them all).
include(${CMAKE_CURRENT_LIST_DIR}/icons.cmake)

# calc_packaging_tools(<ok-var> <what is left out> <program>...): finds each
# program as CALC_<NAME>; sets <ok-var> to whether all were found.
function(calc_packaging_tools ok what)
  set(missing "")
  foreach(program IN LISTS ARGN)
    string(MAKE_C_IDENTIFIER "CALC_${program}" var)
    string(TOUPPER ${var} var)
    find_program(${var} ${program})
    if(NOT ${var})
      list(APPEND missing ${program})
    endif()
  endforeach()
  if(missing)
    list(JOIN missing ", " missing)
    message(STATUS "Packaging: ${what} left out (${missing} not found; scripts/setup package)")
    set(${ok} FALSE PARENT_SCOPE)
  else()
    set(${ok} TRUE PARENT_SCOPE)
  endif()
endfunction()

if(CALC_ENGINE STREQUAL "gtk")
  include(${CMAKE_CURRENT_LIST_DIR}/linux.cmake)
elseif(CALC_ENGINE STREQUAL "win32")
  include(${CMAKE_CURRENT_LIST_DIR}/windows.cmake)
elseif(CALC_ENGINE STREQUAL "cocoa")
  include(${CMAKE_CURRENT_LIST_DIR}/macos.cmake)
elseif(CALC_ENGINE STREQUAL "web")
  include(${CMAKE_CURRENT_LIST_DIR}/web.cmake)
endif()
