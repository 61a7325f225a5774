// The version resource read from its bytes, laid out here node by node as a resource compiler
// lays it out, and then damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/version_info.h"

using platform::FixedFileVersion;
using platform::VersionString;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Node {
    std::u16string key;
    std::uint16_t type = 0;
    Bytes value;
    std::uint16_t valueLength = 0;  // as written: bytes, or characters for text
    std::vector<Node> children;
};

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Pad(Bytes& out) {
    while (out.size() % 4) out.push_back(0);
}

// Nodes start on 32-bit boundaries of the resource; `out` is written from such a boundary.
void Write(Bytes& out, const Node& n) {
    const std::size_t start = out.size();
    Put16(out, 0);  // the length, filled in below
    Put16(out, n.valueLength);
    Put16(out, n.type);
    for (const char16_t c : n.key) Put16(out, c);
    Put16(out, 0);
    Pad(out);
    out.insert(out.end(), n.value.begin(), n.value.end());
    for (const Node& child : n.children) {
        Pad(out);
        Write(out, child);
    }
    const std::size_t length = out.size() - start;
    out[start] = static_cast<std::uint8_t>(length);
    out[start + 1] = static_cast<std::uint8_t>(length >> 8);
}

Node Text(std::u16string key, std::u16string text) {
    Node n{std::move(key), 1, {}, static_cast<std::uint16_t>(text.size() + 1), {}};
    for (const char16_t c : text + u'\0') Put16(n.value, c);
    return n;
}

Bytes Fixed(std::uint32_t signature, std::uint32_t ms, std::uint32_t ls) {
    Bytes v;
    for (const std::uint32_t dword : {signature, 0x10000u, ms, ls, 0x10000u, 0u, 0x3Fu, 0u,
                                      0x40004u, 1u, 0u, 0u, 0u}) {
        Put16(v, dword & 0xFFFF);
        Put16(v, dword >> 16);
    }
    return v;
}

// Version 7.4.2.9; two string tables, German's first in the file, English listed first as
// the language.
Bytes Resource(std::uint32_t signature = 0xFEEF04BD) {
    Bytes translation;
    for (const std::uint16_t w : {0x0409, 0x04b0, 0x0407, 0x04b0}) Put16(translation, w);
    const Node root{
        u"VS_VERSION_INFO",
        0,
        Fixed(signature, 0x00070004, 0x00020009),
        52,
        {Node{u"StringFileInfo",
              1,
              {},
              0,
              {Node{u"040704b0", 1, {}, 0, {Text(u"ProductName", u"Dravik (de)")}},
               Node{u"040904B0", 1, {}, 0,
                    {Text(u"CompanyName", u"Morv"), Text(u"ProductName", u"Dravik"),
                     Text(u"Comments", u"")}}}},
         Node{u"VarFileInfo", 1, {}, 0,
              {Node{u"Translation", 0, translation, static_cast<std::uint16_t>(translation.size()), {}}}}}};
    Bytes out;
    Write(out, root);
    return out;
}

}  // namespace

TEST(VersionInfo, ReadsTheFourFieldsOfTheFileVersion) {
    const auto v = FixedFileVersion(Resource());
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, (std::array<std::uint16_t, 4>{7, 4, 2, 9}));
    EXPECT_FALSE(FixedFileVersion(Resource(0xFEEF04BC)).has_value()) << "not a VS_FIXEDFILEINFO";
}

TEST(VersionInfo, TextsComeFromTheTableOfTheFirstListedLanguage) {
    const Bytes r = Resource();
    EXPECT_EQ(VersionString(r, u"ProductName"), u"Dravik") << "the first table in the file is German";
    EXPECT_EQ(VersionString(r, u"CompanyName"), u"Morv");
    EXPECT_EQ(VersionString(r, u"Comments"), u"") << "present and empty";
    EXPECT_FALSE(VersionString(r, u"FileDescription").has_value()) << "absent";
}

// Every cut of the resource is a resource whose lengths point past its end: nothing of it is
// read (the sanitizer builds see any read beyond the bytes).
TEST(VersionInfo, AResourceCutShortReadsAsAbsent) {
    const Bytes whole = Resource();
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(FixedFileVersion(cut).has_value()) << size;
        EXPECT_FALSE(VersionString(cut, u"ProductName").has_value()) << size;
    }
}

// A text whose value length claims more than its node holds is read within the node only,
// and a child node longer than its parent is not read at all.
TEST(VersionInfo, LengthsThatOverrunTheirNodeAreHeldToIt) {
    Bytes r = Resource();
    const std::u16string morv = u"Morv";
    // Find "Morv" in the bytes and make its node's value length 0xFFFF characters.
    Bytes needle;
    for (const char16_t c : morv) Put16(needle, c);
    const auto at = std::search(r.begin(), r.end(), needle.begin(), needle.end());
    ASSERT_NE(at, r.end());
    // The node's header is 6 bytes, its key "CompanyName" 12 characters, padded to 32 bits.
    const std::size_t node = static_cast<std::size_t>(at - r.begin()) - 32;
    ASSERT_EQ(r[node + 6], 'C');
    r[node + 2] = r[node + 3] = 0xFF;
    // Its NUL, and the padding after the node, made text too: the value ends with the node.
    const std::size_t end = node + (r[node] | r[node + 1] << 8);
    ASSERT_EQ(end % 4, 2u);
    r[end - 2] = 'X';
    r[end] = 'Y';
    r[end + 1] = 0;
    EXPECT_EQ(VersionString(r, u"CompanyName"), u"MorvX");
    EXPECT_EQ(VersionString(r, u"ProductName"), u"Dravik") << "the next node is still found";

    // The string table's length made larger than StringFileInfo's: the table is not read.
    Bytes table = Resource();
    Bytes key;
    for (const char16_t c : std::u16string(u"040904B0")) Put16(key, c);
    const auto t = std::search(table.begin(), table.end(), key.begin(), key.end());
    ASSERT_NE(t, table.end());
    const std::size_t tableNode = static_cast<std::size_t>(t - table.begin()) - 6;
    table[tableNode] = 0xF0;
    table[tableNode + 1] = 0x7F;
    EXPECT_FALSE(VersionString(table, u"ProductName").has_value());
    EXPECT_TRUE(FixedFileVersion(table).has_value()) << "the root is whole";
}
