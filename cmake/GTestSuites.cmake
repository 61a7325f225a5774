# dravik_discover_gtest_suites(<target> PREFIX <p> PROPERTIES <prop> <value> ...)
#
# One ctest entry per GoogleTest suite of <target>, found when ctest starts: the executable runs
# under CMAKE_CROSSCOMPILING_EMULATOR (Wine) with --gtest_list_tests, and each suite becomes
# "<p><Suite>", running --gtest_filter=<Suite>.*. gtest_discover_tests would make an entry per
# test, and under Wine every entry is a program start of its own: about four seconds each on
# the bench, minutes over the Win32 suites, where a suite start costs the same once. Reading
# the list at test time, not after the build, is what PRE_TEST discovery does too: listing runs
# the program under Wine, which needs the bench's prefix that a build may not have.
#
# A suite whose every test skipped itself (GTEST_SKIP: no X display, not the i686 build) is
# reported skipped (the executable must link tests/win32/all_skipped_exit.cpp); one that ran
# some of its tests is judged by those.
function(dravik_discover_gtest_suites target)
  cmake_parse_arguments(arg "" "PREFIX" "PROPERTIES" ${ARGN})
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  set(props "")
  foreach(p IN LISTS arg_PROPERTIES)
    string(APPEND props " [==[${p}]==]")
  endforeach()
  file(GENERATE OUTPUT "${script}" CONTENT "\
set(_exe [==[$<TARGET_FILE:${target}>]==])
set(_emulator [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==])
set(_prefix [==[${arg_PREFIX}]==])
set(_props${props})
include([==[${PROJECT_SOURCE_DIR}/cmake/GTestSuitesAtTestTime.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
