// The settings readers over any stored value: whatever another program or an older copy left
// in the registry, each reader yields a defined result, CheckRegistry keeps what is there
// (or writes the default over what counts as absent), and a label read back and stored at
// the end reads the same the next time.
//
// Input: one byte of set-up, then the value's bytes (of any length, so also 256 and more).
// Set-up bits 0-1: the value's type (REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD); bit 2:
// the values are absent.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system.h"
#include "settings/settings_store.h"

namespace {

using platform::memory::MemoryRegistry;

constexpr const char* kOptionsPath = "SOFTWARE\\Morv Dravik\\Options";
constexpr const char* kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::uint32_t kTypes[] = {platform::kRegSz, platform::kRegExpandSz,
                                    platform::kRegBinary, platform::kRegDword};

// The read text the reader must give for these stored bytes: laid over the spaces whatever
// their type, with a NUL after string data when there is room.
std::string Expected(bool present, std::uint32_t type, const std::string& bytes) {
    std::string text(settings::kReadBufferSize, ' ');
    if (!present) return text;
    const std::size_t n = std::min(bytes.size(), text.size());
    text.replace(0, n, bytes, 0, n);
    const bool isString = type == platform::kRegSz || type == platform::kRegExpandSz;
    if (isString && n < text.size()) text[n] = '\0';
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint32_t type = kTypes[data[0] & 3];
    const bool present = (data[0] & 4) == 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    MemoryRegistry registry;
    platform::memory::MemorySystem system;
    if (present) {
        registry.Put(kOptionsPath, settings::kTrayValue, bytes, type);
        registry.Put(kOptionsPath, settings::kMovieValue, bytes, type);
        registry.Put(kRunPath, settings::kAutostartValue, bytes, type);
    }
    const std::string expected = Expected(present, type, bytes);

    // The raw read, through each of the two key pairs.
    FUZZ_CHECK(settings::ReadRegText(registry, settings::kDravikKey, settings::kOptionsKey,
                                     settings::kMovieValue) == expected);
    FUZZ_CHECK(settings::ReadRegText(registry, settings::kMicrosoftKey, settings::kRunKey,
                                     settings::kAutostartValue) == expected);

    // "Start in SysTray": the text unchanged; on exactly for the number 1.
    const std::string tray = settings::GetRegValueTray(registry);
    FUZZ_CHECK(tray == expected);
    const bool on = settings::TrayTextIsOn(tray);
    if (present && type == platform::kRegSz && (bytes == "1" || bytes == " 1 " || bytes == "1.0"))
        FUZZ_CHECK(on);
    if (expected.find_first_not_of(' ') == std::string::npos) FUZZ_CHECK(!on);
    // Text of any length, also without the buffer's NUL and spaces.
    settings::TrayTextIsOn(bytes);

    // The autostart test looks at characters 2 and 3, or 3 and 4 behind an opening quote.
    const std::size_t drive = expected[0] == '"' ? 2 : 1;
    FUZZ_CHECK(settings::GetRegValueStart(registry) == (expected[drive] == ':' && expected[drive + 1] == '\\'));

    // "BtnMovie": up to and including the first "s", or nothing.
    const std::string movie = settings::GetRegValueBtnMovie(registry);
    const auto s = expected.find('s');
    FUZZ_CHECK(s == std::string::npos ? movie.empty() : movie == expected.substr(0, s + 1));

    // CheckRegistry replaces only what starts with 25 spaces.
    settings::CheckRegistry(registry);
    const bool counted_absent = expected.compare(0, 25, std::string(25, ' ')) == 0;
    const auto stored = registry.Get(kOptionsPath, settings::kMovieValue);
    FUZZ_CHECK(stored.has_value());
    if (counted_absent) {
        FUZZ_CHECK(stored->type == platform::kRegSz && stored->bytes == settings::kDefaultMovie);
        FUZZ_CHECK(registry.Get(kOptionsPath, settings::kTrayValue)->bytes == settings::kDefaultTray);
    } else {
        FUZZ_CHECK(stored->type == type && stored->bytes == bytes);
    }

    // What start-up read is what the end stores, and it reads the same at the next start.
    const std::string caption = settings::GetRegValueBtnMovie(registry);
    settings::EndState end;
    end.trayStartValue = on ? 1 : 0;
    end.sysStartValue = settings::GetRegValueStart(registry) ? 1 : 0;
    end.movieCaption = caption;
    settings::SetRegEnd(registry, system, end);
    FUZZ_CHECK(settings::GetRegValueBtnMovie(registry) == caption);
    FUZZ_CHECK(settings::TrayTextIsOn(settings::GetRegValueTray(registry)) == on);
    FUZZ_CHECK(registry.OpenHandles() == 0);
    return 0;
}
