// Standard output in binary mode, for ctest's test discovery (gtest_discover_tests), which reads
// --gtest_list_tests line by line: in text mode the C runtime ends each line with "\r\n", and
// the CR would become part of every suite and test name. Linked into each test executable
// that ctest runs under Wine; it runs before main.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

[[maybe_unused]] const int kStdoutMode = _setmode(_fileno(stdout), _O_BINARY);

}  // namespace
