// ctest runs the Win32 tests a suite at a time (cmake/GTestSuites.cmake). A suite whose every
// test skipped itself (no X display; not the i686 build) must show as skipped, not passed, and
// a suite with a failure as failed: GoogleTest's output cannot tell ctest that by one regular
// expression, so the program ends with exit code 77 (ctest's SKIP_RETURN_CODE) when it ran
// tests, skipped them all and none failed. Linked into each test executable ctest runs.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class AllSkippedExit : public ::testing::EmptyTestEventListener {
    void OnTestProgramEnd(const ::testing::UnitTest& unit) override {
        if (unit.test_to_run_count() > 0 && unit.skipped_test_count() == unit.test_to_run_count() &&
            unit.failed_test_count() == 0 && unit.ad_hoc_test_result().Passed())
            std::exit(77);
    }
};

[[maybe_unused]] const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new AllSkippedExit);
    return true;
}();

}  // namespace
