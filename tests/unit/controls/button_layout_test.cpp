#include <gtest/gtest.h>

#include "controls/button/button_layout.h"
#include "controls/button/pell_xp_button.h"
#include "fixed_text.h"
#include "test_host.h"

namespace {

using controls::CaptionLayout;
using controls::LayoutCaption;
using controls::PictureBox;
using controls::PlacePicture;
using paint::Rect;
using testing_support::FixedText;

const paint::FontInfo kFont{"Verdana", 8.25};

// "Save" is 24 x 10 in the fixed metrics.
CaptionLayout Lay(int pos, PictureBox pic, std::string_view caption = "Save",
                  CaptionLayout previous = {}) {
    FixedText text;
    return LayoutCaption(100, 40, pos, pic, caption, kFont, &text, previous);
}

TEST(LayoutCaption, CentresTheCaptionWithoutPicture) {
    const CaptionLayout l = Lay(0, {});
    // Box (1, 1, 98, 38) measures (1, 1, 25, 11); moved by ((100 - 25) \ 2, (40 - 11) \ 2).
    EXPECT_EQ(l.captionRect, (Rect{38, 15, 62, 25}));
    EXPECT_EQ(l.pressedCaptionRect, (Rect{39, 16, 63, 26}));
    EXPECT_EQ(l.textWidth, 24);
    EXPECT_EQ(l.textHeight, 10);
}

TEST(LayoutCaption, LeavesRoomForThePicture) {
    const PictureBox pic{0, 0, 32, 16};
    // 0: box starts right of the picture; the move uses the measured box's right.
    EXPECT_EQ(Lay(0, pic).captionRect, (Rect{33 + 21, 15, 57 + 21, 25}));
    // 1: dx = (100 - 25 - 32 - 4) \ 2 = 19.
    EXPECT_EQ(Lay(1, pic).captionRect, (Rect{20, 15, 44, 25}));
    // 2: box starts below the picture: (1, 17) measures to (25, 27); dy = (40 - 27) \ 2 = 6.
    EXPECT_EQ(Lay(2, pic).captionRect, (Rect{38, 23, 62, 33}));
    // 3: dy = (40 - 11 - 16 - 4) \ 2 = 4.
    EXPECT_EQ(Lay(3, pic).captionRect, (Rect{38, 5, 62, 15}));
    EXPECT_EQ(Lay(4, pic).captionRect, (Rect{38, 15, 62, 25}));
}

TEST(LayoutCaption, WrapsAtTheBoxWidth) {
    FixedText text;
    // Box width 60 - 3 = 57 holds nine characters: one word per line.
    const CaptionLayout l =
        LayoutCaption(60, 50, 4, {}, "Save Desktop Icons", kFont, &text, {});
    EXPECT_EQ(l.textWidth, 42);
    EXPECT_EQ(l.textHeight, 30);
}

TEST(LayoutCaption, BoxWidthLeavesTheBordersAndThePicture) {
    // "Go Save" is 42 pixels wide: it stays on one line only in a box at least that wide.
    FixedText text;
    const PictureBox pic{0, 0, 20, 10};
    for (int pos : {0, 1}) {
        EXPECT_EQ(LayoutCaption(64, 40, pos, pic, "Go Save", kFont, &text, {}).textHeight, 20) << pos;
        EXPECT_EQ(LayoutCaption(65, 40, pos, pic, "Go Save", kFont, &text, {}).textHeight, 10) << pos;
    }
    for (int pos : {2, 3, 4}) {
        EXPECT_EQ(LayoutCaption(44, 40, pos, pic, "Go Save", kFont, &text, {}).textHeight, 20) << pos;
        EXPECT_EQ(LayoutCaption(45, 40, pos, pic, "Go Save", kFont, &text, {}).textHeight, 10) << pos;
    }
}

TEST(LayoutCaption, UnknownPositionReusesThePreviousRectangleUnmoved) {
    CaptionLayout previous;
    previous.captionRect = {5, 6, 50, 30};
    const CaptionLayout l = Lay(7, {0, 0, 32, 32}, "Save", previous);
    EXPECT_EQ(l.captionRect, (Rect{5, 6, 29, 16}));
    EXPECT_EQ(l.pressedCaptionRect, (Rect{6, 7, 30, 17}));
}

TEST(PlacePicture, BesideAboveBelowOrBehindTheCaption) {
    CaptionLayout l;
    l.captionRect = {40, 20, 70, 30};
    auto place = [&](int pos, std::string_view caption = "Go") {
        PictureBox p{-1, -1, 16, 12};
        PlacePicture(100, 50, pos, caption, l, p);
        return std::pair{p.left, p.top};
    };
    EXPECT_EQ(place(0), (std::pair{40 - 16 - 4, 19}));
    EXPECT_EQ(place(1), (std::pair{74, 19}));
    EXPECT_EQ(place(2), (std::pair{42, 20 - 12 - 2}));
    EXPECT_EQ(place(3), (std::pair{42, 32}));
    EXPECT_EQ(place(4), (std::pair{42, 19}));
    EXPECT_EQ(place(9), (std::pair{-1, -1}));
    EXPECT_EQ(place(0, "   "), (std::pair{42, 19}));  // a blank caption centres it
    EXPECT_EQ(place(9, ""), (std::pair{42, 19}));
}

TEST(PlacePicture, MainWindowButtonsCarryTheirPictureAboveTheCaption) {
    testing_support::TestHost host;
    controls::PellXPButton b(1, "Tray it!", "Verdana");
    b.SetHost(&host);
    b.Resize(121, 65);
    b.SetPicturePosition(2);
    auto pic = std::make_shared<paint::Picture>();
    pic->pixels = paint::PixelBuffer(32, 32, 0x112233);
    b.SetPictureNormal(pic);
    // Box (1, 33, 119, 63) measures 48 x 10; dy = (65 - 43) \ 2 = 11 puts it at top 44.
    EXPECT_EQ(b.Layout().captionRect.top, 44);
    EXPECT_EQ(b.PictureRect(), (controls::PictureBox{44, 10, 32, 32}));
}

TEST(PlacePicture, RemovingThePictureRecentresTheCaption) {
    testing_support::TestHost host;
    controls::PellXPButton b(1, "Save", "Verdana");
    b.SetHost(&host);
    b.Resize(100, 40);
    const Rect alone = b.Layout().captionRect;
    auto pic = std::make_shared<paint::Picture>();
    pic->pixels = paint::PixelBuffer(20, 20, 0x112233);
    b.SetPictureNormal(pic);
    b.SetPictureOver(pic);
    EXPECT_NE(b.Layout().captionRect, alone);
    b.SetPictureNormal(nullptr);
    EXPECT_EQ(b.PictureRect().width, 0);
    EXPECT_EQ(b.PictureRect().height, 0);
    EXPECT_EQ(b.Layout().captionRect, alone);
}

TEST(FocusRect, InsetPerType) {
    EXPECT_EQ(controls::FocusRectFor(3, 100, 30), (Rect{4, 4, 96, 26}));
    EXPECT_EQ(controls::FocusRectFor(7, 100, 30), (Rect{3, 3, 97, 27}));
    EXPECT_EQ(controls::FocusRectFor(13, 100, 30), (Rect{3, 3, 97, 27}));
    EXPECT_EQ(controls::FocusRectFor(14, 100, 30), (Rect{6, 6, 96, 26}));
    EXPECT_EQ(controls::FocusRectFor(0, 100, 30), (Rect{4, 4, 96, 26}));
}

}  // namespace
