# calc-win32 and its tests as Windows expects a hardened program: ASLR with
# 64-bit entropy (relocations kept), DEP, and GCC's stack protector. Newer
# binutils default to the first three; stating them keeps every toolchain
# honest. MinGW's stack protector lives in libssp, linked statically here.
if(MINGW)
  add_compile_options(-fstack-protector-strong)
  add_link_options(-Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat -fstack-protector-strong)
endif()
