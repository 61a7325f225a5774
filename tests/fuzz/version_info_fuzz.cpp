// The version resource reader over any bytes: a program file anyone may have edited holds
// them, so no length in them may make it read past the data. What it reads lies within the
// data: a text has at most half as many characters as there are bytes, and none is a NUL.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "platform/version_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (platform::FixedFileVersion(bytes)) FUZZ_CHECK(size >= 52 + 40);  // header, key, fixed info
    for (const char16_t* name : {u"FileDescription", u"ProductName"}) {
        const auto text = platform::VersionString(bytes, name);
        if (!text) continue;
        FUZZ_CHECK(text->size() * 2 <= size);
        for (const char16_t c : *text) FUZZ_CHECK(c != 0);
    }
    return 0;
}
