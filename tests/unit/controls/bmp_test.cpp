// The bitmap readers against bitmaps assembled here byte by byte, so every layout rule is
// exercised on its own: row order, row padding, colour tables, and what is refused. Both
// readers (the one that copies and the one that reads 24-bit rows in place) obey every rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/paint/bmp.h"

namespace {

using paint::MakeRgb;

using Reader = std::optional<paint::Picture> (*)(const std::uint8_t*, std::size_t);

class Bmp : public testing::TestWithParam<Reader> {
protected:
    std::optional<paint::Picture> Read(const std::vector<std::uint8_t>& b) const {
        return GetParam()(b.data(), b.size());
    }
};

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF, b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// File header and BITMAPINFOHEADER; the colour table and pixel rows are appended by the caller.
std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t colorsUsed,
                                  std::uint32_t tableEntries) {
    std::vector<std::uint8_t> b(54, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 10, 54 + tableEntries * 4);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint32_t>(bits));
    Put32(b, 46, colorsUsed);
    return b;
}

void AddBgr(std::vector<std::uint8_t>& b, int r, int g, int bl) {
    b.push_back(static_cast<std::uint8_t>(bl));
    b.push_back(static_cast<std::uint8_t>(g));
    b.push_back(static_cast<std::uint8_t>(r));
}

TEST_P(Bmp, Reads24BitBottomUpRowsWithPadding) {
    // 3 x 2: 9 bytes of pixels and 3 of padding per row; the first stored row is the bottom one.
    auto b = Headers(3, 2, 24, 0, 0);
    AddBgr(b, 1, 2, 3), AddBgr(b, 4, 5, 6), AddBgr(b, 7, 8, 9);
    b.insert(b.end(), {0xEE, 0xEE, 0xEE});
    AddBgr(b, 10, 11, 12), AddBgr(b, 13, 14, 15), AddBgr(b, 16, 17, 18);
    b.insert(b.end(), {0xEE, 0xEE, 0xEE});

    const auto pic = Read(b);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Width(), 3);
    EXPECT_EQ(pic->Height(), 2);
    EXPECT_EQ(pic->pixels.Pixel(0, 0), MakeRgb(10, 11, 12));
    EXPECT_EQ(pic->pixels.Pixel(2, 0), MakeRgb(16, 17, 18));
    EXPECT_EQ(pic->pixels.Pixel(0, 1), MakeRgb(1, 2, 3));
    EXPECT_EQ(pic->pixels.Pixel(2, 1), MakeRgb(7, 8, 9));
}

TEST_P(Bmp, Reads24BitTopDownWhenTheHeightIsNegative) {
    auto b = Headers(1, -2, 24, 0, 0);
    AddBgr(b, 200, 0, 0), b.push_back(0);  // 3 bytes + 1 padding
    AddBgr(b, 0, 0, 200), b.push_back(0);
    const auto pic = Read(b);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Height(), 2);
    EXPECT_EQ(pic->pixels.Pixel(0, 0), MakeRgb(200, 0, 0));
    EXPECT_EQ(pic->pixels.Pixel(0, 1), MakeRgb(0, 0, 200));
}

TEST_P(Bmp, Reads8BitThroughTheColourTableWithPaddedRows) {
    // 5 x 2 with a table of three colours: rows of 5 indexes and 3 bytes of padding.
    auto b = Headers(5, 2, 8, 3, 3);
    for (auto [r, g, bl] : {std::tuple{255, 0, 0}, std::tuple{0, 255, 0}, std::tuple{1, 2, 3}}) {
        AddBgr(b, r, g, bl);
        b.push_back(0);
    }
    b.insert(b.end(), {2, 2, 2, 2, 1, 9, 9, 9});  // bottom row
    b.insert(b.end(), {0, 1, 2, 1, 0, 9, 9, 9});  // top row
    const auto pic = Read(b);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Width(), 5);
    EXPECT_EQ(pic->pixels.Pixel(0, 0), MakeRgb(255, 0, 0));
    EXPECT_EQ(pic->pixels.Pixel(1, 0), MakeRgb(0, 255, 0));
    EXPECT_EQ(pic->pixels.Pixel(2, 0), MakeRgb(1, 2, 3));
    EXPECT_EQ(pic->pixels.Pixel(4, 1), MakeRgb(0, 255, 0));
    EXPECT_EQ(pic->pixels.Pixel(0, 1), MakeRgb(1, 2, 3));
}

TEST_P(Bmp, EightBitWithoutACountHasAFullTable) {
    auto b = Headers(1, 1, 8, 0, 256);
    for (int i = 0; i < 256; ++i) AddBgr(b, i, 255 - i, 7), b.push_back(0);
    b.insert(b.end(), {200, 0, 0, 0});
    const auto pic = Read(b);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->pixels.Pixel(0, 0), MakeRgb(200, 55, 7));
}

TEST_P(Bmp, RefusesWhatItDoesNotRead) {
    auto good = Headers(1, 1, 24, 0, 0);
    AddBgr(good, 1, 2, 3), good.push_back(0);
    ASSERT_TRUE(Read(good));

    auto magic = good;
    magic[0] = 'X';
    EXPECT_FALSE(Read(magic));
    auto compressed = good;
    Put32(compressed, 30, 1);  // BI_RLE8
    EXPECT_FALSE(Read(compressed));
    auto bits16 = good;
    Put16(bits16, 28, 16);
    EXPECT_FALSE(Read(bits16));
    auto cut = good;
    cut.resize(cut.size() - 2);
    EXPECT_FALSE(Read(cut));
    EXPECT_FALSE(paint::LoadBmpFile(DRAVIK_PICTURES_DIR "/no such picture.bmp"));
}

INSTANTIATE_TEST_SUITE_P(Readers, Bmp, testing::Values<Reader>(paint::ReadBmp, paint::ViewBmp),
                         [](const testing::TestParamInfo<Reader>& info) {
                             return info.param == paint::ViewBmp ? std::string("InPlace")
                                                                 : std::string("Copied");
                         });

TEST(BmpInPlace, TwentyFourBitRowsAreReadWhereTheyAreAndEightBitOnesDecoded) {
    // The program's resources stay mapped as long as it runs; its 24-bit pictures cost no
    // memory of their own only while the reader takes their rows where they are.
    auto b = Headers(2, 1, 24, 0, 0);
    AddBgr(b, 1, 2, 3), AddBgr(b, 4, 5, 6), b.insert(b.end(), {0, 0});
    const auto viewed = paint::ViewBmp(b.data(), b.size());
    const auto copied = paint::ReadBmp(b);
    ASSERT_TRUE(viewed && copied);
    b[54 + 3] = 60;  // the second pixel's blue
    EXPECT_EQ(viewed->pixels.Pixel(1, 0), MakeRgb(4, 5, 60));
    EXPECT_EQ(copied->pixels.Pixel(1, 0), MakeRgb(4, 5, 6));

    // An 8-bit picture's rows hold indexes, not colours: it is decoded all the same.
    auto e = Headers(1, 1, 8, 1, 1);
    AddBgr(e, 7, 8, 9), e.push_back(0);
    e.insert(e.end(), {0, 0, 0, 0});
    const auto decoded = paint::ViewBmp(e.data(), e.size());
    ASSERT_TRUE(decoded);
    e[54] = 90;  // the table's blue
    EXPECT_EQ(decoded->pixels.Pixel(0, 0), MakeRgb(7, 8, 9));
}

}  // namespace
