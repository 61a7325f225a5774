#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/control_ids.h"
#include "app/layout.h"

TEST(Layout, ClientAreaAtStandardAndLargeFonts) {
    EXPECT_DOUBLE_EQ(app::TwipsPerPixel(96), 15.0);
    EXPECT_EQ(app::TwipsToPixels(app::kClientWidthTwips, 15.0), 489);
    EXPECT_EQ(app::TwipsToPixels(app::kClientHeightTwips, 15.0), 321);
    EXPECT_EQ(app::TwipsToPixels(app::kClientWidthTwips, app::TwipsPerPixel(120)), 611);
    EXPECT_EQ(app::TwipsToPixels(app::kClientHeightTwips, app::TwipsPerPixel(144)), 482);
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
    const app::PixelRect p = app::ToPixels(*movie, 15.0);
    EXPECT_EQ(p.left, 16);
    EXPECT_EQ(p.top, 48);
    EXPECT_EQ(p.width, 201);
    EXPECT_EQ(p.height, 57);
}
