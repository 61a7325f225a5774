#pragma once
// The program's version resource (VS_VERSIONINFO) read from its bytes. The Win32 layer finds
// the bytes in its own module (FindResource of RT_VERSION) and reads them here instead of
// through version.dll's GetFileVersionInfo and VerQueryValue: version.dll is not one of
// Windows' KnownDLLs, so as an import it would be looked for in the program's folder first,
// where a planted copy would run with the program's rights.
//
// The resource is a tree of nodes. Each is a WORD total length, a WORD value length (in bytes,
// or in UTF-16 characters for text values, type 1), a WORD type, a NUL-terminated UTF-16 key,
// padding to 32 bits, the value, padding to 32 bits, and its child nodes up to its length.
// The bytes come from a file anyone may have edited: every length is checked against the
// node and the data it lies in, and anything that does not fit reads as absent.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

namespace version_detail {

struct Node {
    std::size_t end = 0;       // one past the node's last byte
    std::u16string key;
    std::uint16_t type = 0;    // 1: the value is text
    std::size_t value = 0;     // where the value starts
    std::size_t valueBytes = 0;
    std::size_t children = 0;  // where the first child starts (may be at or past `end`)
};

inline std::size_t Align4(std::size_t at) { return (at + 3) & ~static_cast<std::size_t>(3); }

inline std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The node at `at`, which must lie wholly before `limit`.
inline std::optional<Node> ReadNode(std::span<const std::uint8_t> bytes, std::size_t at,
                                    std::size_t limit) {
    limit = std::min(limit, bytes.size());
    if (at >= limit || limit - at < 6) return std::nullopt;
    const std::uint16_t length = Word(bytes, at);
    if (length < 6 || length > limit - at) return std::nullopt;
    Node n;
    n.end = at + length;
    const std::uint16_t valueLength = Word(bytes, at + 2);
    n.type = Word(bytes, at + 4);
    std::size_t p = at + 6;
    for (;;) {
        if (n.end - p < 2) return std::nullopt;  // a key without its NUL
        const char16_t c = static_cast<char16_t>(Word(bytes, p));
        p += 2;
        if (c == 0) break;
        n.key += c;
    }
    n.value = std::min(Align4(p), n.end);
    const std::size_t wanted = n.type == 1 ? std::size_t{valueLength} * 2 : valueLength;
    n.valueBytes = std::min(wanted, n.end - n.value);
    n.children = Align4(n.value + n.valueBytes);
    return n;
}

// The first child of `parent` whose key is `key` (ASCII letters in either case, as
// VerQueryValue matches them).
inline std::optional<Node> Child(std::span<const std::uint8_t> bytes, const Node& parent,
                                 std::u16string_view key) {
    const auto same = [](std::u16string_view a, std::u16string_view b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto lower = [](char16_t c) {
                return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
            };
            if (lower(a[i]) != lower(b[i])) return false;
        }
        return true;
    };
    for (std::size_t at = parent.children; at < parent.end;) {
        const auto child = ReadNode(bytes, at, parent.end);
        if (!child) return std::nullopt;
        if (same(child->key, key)) return child;
        at = Align4(child->end);
    }
    return std::nullopt;
}

inline std::optional<Node> Root(std::span<const std::uint8_t> bytes) {
    auto root = ReadNode(bytes, 0, bytes.size());
    if (!root || root->key != u"VS_VERSION_INFO") return std::nullopt;
    return root;
}

}  // namespace version_detail

// The four fields of the file version (VS_FIXEDFILEINFO's dwFileVersionMS and LS, high word
// first); nothing without a root node whose value is a VS_FIXEDFILEINFO with its signature.
inline std::optional<std::array<std::uint16_t, 4>> FixedFileVersion(
    std::span<const std::uint8_t> bytes) {
    using namespace version_detail;
    const auto root = Root(bytes);
    constexpr std::size_t kFixedSize = 52;  // sizeof(VS_FIXEDFILEINFO)
    if (!root || root->valueBytes < kFixedSize) return std::nullopt;
    const std::size_t v = root->value;
    const auto dword = [&](std::size_t at) {
        return static_cast<std::uint32_t>(Word(bytes, v + at)) |
               static_cast<std::uint32_t>(Word(bytes, v + at + 2)) << 16;
    };
    if (dword(0) != 0xFEEF04BDu) return std::nullopt;
    return std::array<std::uint16_t, 4>{Word(bytes, v + 10), Word(bytes, v + 8),
                                        Word(bytes, v + 14), Word(bytes, v + 12)};
}

// The text `name` ("FileDescription", "ProductName", ...) of the string table of the first
// language the resource lists (VarFileInfo's Translation), up to its first NUL; nothing when
// there is no such language, table or text.
inline std::optional<std::u16string> VersionString(std::span<const std::uint8_t> bytes,
                                                   std::u16string_view name) {
    using namespace version_detail;
    const auto root = Root(bytes);
    if (!root) return std::nullopt;
    const auto vars = Child(bytes, *root, u"VarFileInfo");
    const auto translation = vars ? Child(bytes, *vars, u"Translation") : std::nullopt;
    if (!translation || translation->valueBytes < 4) return std::nullopt;
    // The table's key is the language and code page in hexadecimal, four digits each.
    std::u16string table;
    for (const std::uint16_t word :
         {Word(bytes, translation->value), Word(bytes, translation->value + 2)})
        for (int shift = 12; shift >= 0; shift -= 4)
            table += u"0123456789abcdef"[(word >> shift) & 15];
    const auto strings = Child(bytes, *root, u"StringFileInfo");
    const auto tableNode = strings ? Child(bytes, *strings, table) : std::nullopt;
    const auto text = tableNode ? Child(bytes, *tableNode, name) : std::nullopt;
    if (!text) return std::nullopt;
    std::u16string out;
    for (std::size_t at = text->value; at + 2 <= text->value + text->valueBytes; at += 2) {
        const char16_t c = static_cast<char16_t>(Word(bytes, at));
        if (c == 0) break;
        out += c;
    }
    return out;
}

}  // namespace platform
