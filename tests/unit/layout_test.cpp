#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/control_ids.h"
#include "app/layout.h"

TEST(Layout, ClientAreaAtStandardAndLargeFonts) {
    EXPECT_EQ(app::TwipsToPixels(app::kClientWidthTwips, 96), 489);
    EXPECT_EQ(app::TwipsToPixels(app::kClientHeightTwips, 96), 321);
    EXPECT_EQ(app::TwipsToPixels(app::kClientWidthTwips, 120), 611);
    EXPECT_EQ(app::TwipsToPixels(app::kClientHeightTwips, 144), 482);
    EXPECT_EQ(app::TwipsToPixels(app::kClientWidthTwips, 192), 978);
}

// One rule for both windows: twips * dpi / 1440 to the nearest pixel, a half rounding up.
TEST(Layout, TwipsRoundToTheNearestPixelAHalfUp) {
    EXPECT_EQ(app::TwipsToPixels(7, 96), 0);   // 0.47
    EXPECT_EQ(app::TwipsToPixels(8, 96), 1);   // 0.53
    EXPECT_EQ(app::TwipsToPixels(15, 192), 2);
    EXPECT_EQ(app::TwipsToPixels(45, 144), 5);  // 4.5
    EXPECT_EQ(app::TwipsToPixels(4815, 144), 482);  // 481.5
    EXPECT_EQ(app::TwipsToPixels(0, 192), 0);
}

TEST(Layout, EveryControlOnceAndInsideTheClientArea) {
    std::set<int> seen;
    for (const auto& r : app::DesignLayout()) {
        EXPECT_TRUE(seen.insert(r.id).second) << r.id;
        EXPECT_LE(r.left + r.width, app::kClientWidthTwips) << r.id;
        EXPECT_LE(r.top + r.height, app::kClientHeightTwips) << r.id;
    }
    EXPECT_EQ(seen.size(), 20u);
}

TEST(Layout, ButtonsConvertToWholePixels) {
    const auto& layout = app::DesignLayout();
    const auto movie = std::find_if(layout.begin(), layout.end(),
                                    [](const auto& r) { return r.id == app::ids::kBtnMovie; });
    ASSERT_TRUE(movie != layout.end()) << "the movie preset button is not in the design";
    const app::PixelRect p = app::ToPixels(*movie, 96);
    EXPECT_EQ(p.left, 16);
    EXPECT_EQ(p.top, 48);
    EXPECT_EQ(p.width, 201);
    EXPECT_EQ(p.height, 57);
}
