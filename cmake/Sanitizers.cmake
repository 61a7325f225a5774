# The sanitized native build: the asan preset, which builds the unit tests and the libFuzzer
# targets in one tree. Every report is fatal: UndefinedBehaviorSanitizer otherwise prints and
# carries on, and a test that passes after a report would hide it.
if(WIN32 AND (DRAVIK_SANITIZE OR DRAVIK_FUZZ))
  message(FATAL_ERROR "The sanitizers and the fuzz targets are for the native build only")
endif()

if(DRAVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(DRAVIK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang's libFuzzer (CMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage feedback for all code, ours and the libraries'; only the fuzz targets themselves
  # link libFuzzer's main (tests/fuzz).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
