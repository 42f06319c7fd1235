# The same bytes from any checkout path and at any time: paths in debug info
# and __FILE__ are made relative to the source tree (the build trees are
# inside it), and PE headers carry no link time (ld would otherwise stamp
# it, or SOURCE_DATE_EPOCH when set).
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endif()
if(MINGW)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
