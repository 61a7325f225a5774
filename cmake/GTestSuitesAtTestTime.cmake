# Included by ctest (TEST_INCLUDE_FILES) with _exe, _emulator, _prefix and _props set by
# dravik_discover_gtest_suites (cmake/GTestSuites.cmake): adds one test per suite of _exe.
if(NOT EXISTS "${_exe}")
  add_test("${_prefix}NOT_BUILT" "${_exe}")
  return()
endif()
execute_process(COMMAND ${_emulator} "${_exe}" --gtest_list_tests
  OUTPUT_VARIABLE _list ERROR_VARIABLE _err RESULT_VARIABLE _rc TIMEOUT 120)
if(NOT _rc EQUAL 0)
  # A list that cannot be read is a failure to see, not an empty suite.
  add_test("${_prefix}LIST_FAILED" "${CMAKE_COMMAND}" -E echo "listing ${_exe} failed (${_rc}): ${_err}")
  set_tests_properties("${_prefix}LIST_FAILED" PROPERTIES WILL_FAIL TRUE)
  return()
endif()
string(REPLACE "\r" "" _list "${_list}")
string(REPLACE "\n" ";" _lines "${_list}")
foreach(_line IN LISTS _lines)
  # Suite lines stand at the start of the line and end in a dot; test lines are indented.
  if(_line MATCHES "^([A-Za-z0-9_/]+)\\.")
    set(_suite "${CMAKE_MATCH_1}")
    add_test("${_prefix}${_suite}" ${_emulator} "${_exe}" "--gtest_filter=${_suite}.*")
    set_tests_properties("${_prefix}${_suite}" PROPERTIES
      SKIP_RETURN_CODE 77  # every test of the suite skipped itself (tests/win32/all_skipped_exit.cpp)
      ${_props})
  endif()
endforeach()
