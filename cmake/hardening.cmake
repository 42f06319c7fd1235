# calc_harden(<target>...): the hardening Debian builds its own packages with
# (dpkg-buildflags), for the processor this build is for. Control-flow
# protection has a different flag on each processor family, and a compiler
# rejects the other family's; every flag is also tried once on the compiler,
# so an architecture or compiler without one builds without it.
include(CheckCXXCompilerFlag)

set(calc_hardening_flags -fstack-protector-strong -fstack-clash-protection)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i[3-6]86|x86)$")
  list(APPEND calc_hardening_flags -fcf-protection)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64|ARM64)$")
  list(APPEND calc_hardening_flags -mbranch-protection=standard)
endif()

set(CALC_HARDENING_OPTIONS "")
foreach(flag IN LISTS calc_hardening_flags)
  string(MAKE_C_IDENTIFIER "CALC_HAS${flag}" var)
  check_cxx_compiler_flag(${flag} ${var})
  if(${var})
    list(APPEND CALC_HARDENING_OPTIONS ${flag})
  endif()
endforeach()

function(calc_harden)
  if(CALC_SANITIZED)
    return()  # the sanitizers bring their own checks, and fortify hides reads from them
  endif()
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE ${CALC_HARDENING_OPTIONS}
                           $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_options(${target} PRIVATE -Wl,-z,relro -Wl,-z,now)
    endif()
  endforeach()
endfunction()
