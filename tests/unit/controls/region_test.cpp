#include <gtest/gtest.h>

#include "controls/button/button_layout.h"
#include "controls/paint/raster.h"

namespace {

using controls::BuildRegion;

TEST(Region, RoundedTypesCutThreePixelsPerCorner) {
    for (int type : {3, 4}) {
        const int W = 10, H = 8;
        const auto r = BuildRegion(type, W, H);
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {W - 2, 0}, {W - 1, 0}, {W - 1, 1},
                            {0, H - 1}, {1, H - 1}, {0, H - 2}, {W - 2, H - 1}, {W - 1, H - 1},
                            {W - 1, H - 2}})
            EXPECT_FALSE(r.Contains(x, y)) << type << ": " << x << "," << y;
        for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {0, 2}, {W - 3, 0}, {W - 2, 1}, {W - 1, 2},
                            {1, H - 2}, {2, H - 1}, {W - 2, H - 2}, {W - 1, H - 3}})
            EXPECT_TRUE(r.Contains(x, y)) << type << ": " << x << "," << y;
    }
}

TEST(Region, RoundedShapeIsFiveBands) {
    const auto r = BuildRegion(3, 10, 8);
    const std::vector<paint::Rect> expected{
        {2, 0, 8, 1}, {1, 1, 9, 2}, {0, 2, 10, 6}, {1, 6, 9, 7}, {2, 7, 8, 8}};
    EXPECT_EQ(r.rects, expected);
}

TEST(Region, Types1And14CutTheFourCornerPixels) {
    for (int type : {1, 14}) {
        const auto r = BuildRegion(type, 9, 7);
        EXPECT_FALSE(r.Contains(0, 0));
        EXPECT_FALSE(r.Contains(8, 0));
        EXPECT_FALSE(r.Contains(0, 6));
        EXPECT_FALSE(r.Contains(8, 6));
        EXPECT_TRUE(r.Contains(1, 0));
        EXPECT_TRUE(r.Contains(0, 1));
        EXPECT_TRUE(r.Contains(7, 6));
    }
}

TEST(Region, Type5CutsTwoDiagonalCorners) {
    const auto r = BuildRegion(5, 9, 7);
    EXPECT_FALSE(r.Contains(8, 0));
    EXPECT_FALSE(r.Contains(0, 6));
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(8, 6));
}

TEST(Region, OtherTypesKeepTheRectangle) {
    for (int type : {0, 2, 6, 7, 8, 9, 10, 11, 12, 15}) {
        const auto r = BuildRegion(type, 9, 7);
        ASSERT_EQ(r.rects.size(), 1u) << type;
        EXPECT_EQ(r.rects[0], (paint::Rect{0, 0, 9, 7})) << type;
    }
}

TEST(Region, EllipticShapeMatchesTheDrawnEllipse) {
    const int W = 37, H = 21;
    const auto r = BuildRegion(13, W, H);
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(W - 1, H - 1));
    EXPECT_TRUE(r.Contains(W / 2, H / 2));
    EXPECT_TRUE(r.Contains(0, H / 2));
    EXPECT_TRUE(r.Contains(W / 2, 0));
    paint::PixelBuffer b(W, H);
    paint::Surface s = b.View();
    paint::DrawEllipse(s, {0, 0, W, H}, 0x0000FF, 0x00FF00, 2);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) EXPECT_EQ(r.Contains(x, y), s.Pixel(x, y) != 0) << x << "," << y;
}

}  // namespace
