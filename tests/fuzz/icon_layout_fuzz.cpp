// The icon layout file reader over any file: a layout file may be cut short, edited by hand,
// written by an older copy or be no layout at all. Reading it must give at most 2001 values,
// each field's value exactly where a plain reading of the text puts it, and a restore must
// move each icon to its stored place and no other icon. Positions written by a save read back
// as they were written.
//
// Input: the file's bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "icons/icon_mem.h"
#include "icons/layout_file.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"

namespace {

constexpr const char* kFolder = "C:\\Program Files\\Dravik\\Iconset";
constexpr const char* kLayout = "C:\\Program Files\\Dravik\\Iconset\\ 1024- 768";
constexpr std::size_t kDesktopItems = 8;

using Values = std::vector<std::optional<std::int32_t>>;

// The file read the plain way, written out here without the reader's code: fields end at CR,
// LF or a comma; a field of blanks only is no field; a field is a whole number when it is
// blanks, an optional sign, decimal digits and blanks, and it fits 32 signed bits.
Values PlainReading(std::string_view text) {
    Values values;
    std::string field;
    auto finish = [&] {
        const auto first = field.find_first_not_of(" \t");
        if (first != std::string::npos && values.size() < icons::kMaxLayoutValues) {
            const auto last = field.find_last_not_of(" \t");
            std::string_view number(field.data() + first, last - first + 1);
            bool negative = false;
            if (number[0] == '-' || number[0] == '+') {
                negative = number[0] == '-';
                number.remove_prefix(1);
            }
            bool digits = !number.empty();
            long long magnitude = 0;
            for (char c : number) {
                if (c < '0' || c > '9') digits = false;
                else if (magnitude <= (1LL << 32)) magnitude = magnitude * 10 + (c - '0');
            }
            const long long value = negative ? -magnitude : magnitude;
            if (digits && value >= INT32_MIN && value <= INT32_MAX)
                values.push_back(static_cast<std::int32_t>(value));
            else
                values.push_back(std::nullopt);
        }
        field.clear();
    };
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == ',') finish();
        else field += c;
    }
    finish();
    return values;
}

platform::Point Clamped(platform::Point p) {
    auto clamp = [](std::int32_t v, std::int32_t lo, std::int32_t hi) {
        return v < lo ? lo : v > hi ? hi : v;
    };
    return {clamp(p.x, -32768, 32767), clamp(p.y, -32767, 32767)};
}

platform::Point Edge(platform::Point p) {
    return {p.x, p.y > 32767 ? 32767 : p.y};
}

std::int32_t Read32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | p[1] << 8 | p[2] << 16 |
                                     static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The reader, against the plain reading.
    const Values values = icons::ReadLayoutValues(text);
    FUZZ_CHECK(values.size() <= icons::kMaxLayoutValues);
    FUZZ_CHECK(values == PlainReading(text));

    // A stored value means one place, and a place a save can write is stored as the same
    // value. A value whose low 16 bits are negative takes one from the part above them, so y
    // reaches 32768 at the top (2147483647 is x = -1, y = 32768), which a move puts at the
    // edge; y = -32768 with a negative x would leave the signed range and is never written.
    for (const auto& v : values) {
        if (!v) continue;
        const platform::Point p = icons::UnpackPosition(*v);
        FUZZ_CHECK(p.x >= -32768 && p.x <= 32767 && p.y >= -32768 && p.y <= 32768);
        if (p.y >= -32767 && p.y <= 32767) FUZZ_CHECK(icons::PackPosition(p) == *v);
    }

    // The same bytes as positions a save found: the file it writes reads back as them.
    std::vector<platform::Point> found;
    for (std::size_t i = 0; i + 8 <= size && found.size() < 64; i += 8)
        found.push_back({Read32(data + i), Read32(data + i + 4)});
    const Values back = icons::ReadLayoutValues(icons::LayoutText(found));
    FUZZ_CHECK(back.size() == found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        FUZZ_CHECK(back[i] && *back[i] == icons::PackPosition(found[i]));
        FUZZ_CHECK(icons::UnpackPosition(*back[i]) == Clamped(found[i]));
    }

    // A restore of this file onto a desktop of a few icons. Every move of a long file is sent
    // (and recorded by the in-memory desktop), which would slow the run a hundredfold for
    // nothing the short files do not show: the reader's limits are checked above at any length.
    if (values.size() > 16) return 0;
    platform::memory::MemoryDisplay display;
    display.SetCurrent(platform::memory::Mode(1024, 768, 32, 60));
    platform::memory::MemoryRegistry registry, registry32;
    platform::memory::MemorySystem system;
    system.folders.insert(kFolder);
    system.PutFile(kLayout, std::string(text));
    platform::memory::MemoryUi ui;
    platform::memory::MemoryShell shell;
    platform::Platform platform{display, registry, system, ui, shell, registry32};
    platform::memory::MemoryDesktop desktop;
    std::vector<platform::Point> before;
    for (std::size_t i = 0; i < kDesktopItems; ++i)
        before.push_back({static_cast<std::int32_t>(10 + 80 * i), 20});
    desktop.AddShellDesktop(before);
    icons::IconMem icons(platform, desktop);
    FUZZ_CHECK(icons.IconLayoutExists());
    icons.RestoreIconLayout();

    std::size_t present = 0;
    for (const auto& v : values) present += v ? 1 : 0;
    FUZZ_CHECK(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION") == static_cast<int>(4 * present));
    for (std::size_t j = 0; j < kDesktopItems; ++j) {
        const bool stored = j < values.size() && values[j];
        // The list view takes 16 bits a coordinate: the place, moved to the edge where it
        // lies beyond.
        FUZZ_CHECK(desktop.items[j] == (stored ? Edge(icons::UnpackPosition(*values[j])) : before[j]));
    }
    // The file is only read.
    FUZZ_CHECK(system.Contents(kLayout) == std::string(text));
    FUZZ_CHECK(registry.OpenHandles() == 0);
    return 0;
}
