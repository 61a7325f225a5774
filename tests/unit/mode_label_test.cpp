#include <gtest/gtest.h>

#include "modes/display_mode.h"
#include "modes/mode_label.h"
#include "platform/decimal.h"
#include "platform/memory/memory_display.h"

using modes::CanonicalLabel;
using modes::DisplayMode;
using modes::GetValueFromString;
using modes::ListLabel;
using platform::memory::Mode;

namespace {

DisplayMode M(int w, int h, int bpp, int hz) {
    return modes::FromDevMode(Mode(w, h, bpp, hz));
}

struct Parsed {
    std::int32_t bpp, width, height, frequency;
};

Parsed Parse(std::string_view label, Parsed start = {0, 0, 0, 0}) {
    GetValueFromString(label, start.bpp, start.width, start.height, start.frequency);
    return start;
}

}  // namespace

TEST(ModeLabel, BothFormsForEveryDepthWord) {
    EXPECT_EQ(CanonicalLabel(M(800, 600, 8, 60)), "800 x 600 @ 60Hz 256 colors");
    EXPECT_EQ(ListLabel(M(800, 600, 8, 60)), " 800 x 600 @ 60Hz 256 colors");
    EXPECT_EQ(CanonicalLabel(M(640, 480, 4, 60)), "640 x 480 @ 60Hz 16 colors");
    EXPECT_EQ(CanonicalLabel(M(1024, 768, 16, 75)), "1024 x 768 @ 75Hz 16bit colors");
    EXPECT_EQ(CanonicalLabel(M(1280, 1024, 32, 85)), "1280 x 1024 @ 85Hz 32bit colors");
    for (int bpp : {4, 8, 16, 32}) {
        const DisplayMode m = M(1152, 864, bpp, 70);
        EXPECT_EQ(ListLabel(m), " " + CanonicalLabel(m)) << bpp;
    }
}

TEST(ModeLabel, DepthWithoutWordEndsAtHz) {
    EXPECT_EQ(CanonicalLabel(M(1024, 768, 24, 75)), "1024 x 768 @ 75Hz ");
    EXPECT_EQ(ListLabel(M(1024, 768, 24, 75)), " 1024 x 768 @ 75Hz");
    EXPECT_EQ(ListLabel(M(640, 480, 15, 60)), " 640 x 480 @ 60Hz");
}

TEST(ModeLabel, OnlyLowSixteenBitsOfDepthCount) {
    EXPECT_EQ(M(800, 600, 0x10008, 60).bitsPerPixel, 8);
    EXPECT_EQ(CanonicalLabel(M(800, 600, 0x10020, 60)), "800 x 600 @ 60Hz 32bit colors");
}

TEST(ModeLabel, NegativeNumbersTakeTheSignColumn) {
    EXPECT_EQ(ListLabel(M(800, 600, 32, -1)), " 800 x 600 @-1Hz 32bit colors");
    EXPECT_EQ(modes::WithSignColumn(0), " 0");
}

TEST(ModeLabel, AllZeroModeWhenTheReadFails) {
    platform::memory::MemoryDisplay display;
    display.SetCurrent(Mode(1024, 768, 32, 60));
    display.FailCurrentRead(true);
    EXPECT_EQ(CanonicalLabel(modes::ReadModeInEffect(display)), "0 x 0 @ 0Hz ");
}

TEST(ModeLabelParser, CanonicalAndListFormsParseAlike) {
    for (const char* label : {"800 x 600 @ 60Hz 256 colors", " 800 x 600 @ 60Hz 256 colors"}) {
        const Parsed p = Parse(label);
        EXPECT_EQ(p.bpp, 8) << label;
        EXPECT_EQ(p.width, 800) << label;
        EXPECT_EQ(p.height, 600) << label;
        EXPECT_EQ(p.frequency, 60) << label;
    }
}

TEST(ModeLabelParser, RoundTripsEveryDepthWord) {
    for (int bpp : {4, 8, 16, 32}) {
        for (const DisplayMode& m : {M(1024, 768, bpp, 75), M(320, 200, bpp, 1), M(32767, 99999, bpp, 240)}) {
            for (const std::string& label : {CanonicalLabel(m), ListLabel(m)}) {
                EXPECT_EQ(modes::ParseLabel(label), m) << label;
            }
        }
    }
}

TEST(ModeLabelParser, FourColourDepthParsesBackToFour) {
    EXPECT_EQ(Parse("640 x 480 @ 60Hz 16 colors").bpp, 4);
    EXPECT_EQ(Parse(" 800 x 600 @ 60Hz 16bit colors").bpp, 16);
}

TEST(ModeLabelParser, DepthWithoutWordLeavesBppAlone) {
    const Parsed canonical = Parse("1024 x 768 @ 75Hz ");
    EXPECT_EQ(canonical.bpp, 0);
    EXPECT_EQ(canonical.width, 1024);
    EXPECT_EQ(canonical.height, 768);
    EXPECT_EQ(canonical.frequency, 75);
    const Parsed list = Parse(" 1024 x 768 @ 75Hz", {7, 0, 0, 0});
    EXPECT_EQ(list.bpp, 7);
    EXPECT_EQ(list.width, 1024);
    EXPECT_EQ(list.frequency, 75);
}

TEST(ModeLabelParser, EmptyTextZeroesOnlyTheWidth) {
    const Parsed p = Parse("", {11, 22, 33, 44});
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.bpp, 11);
    EXPECT_EQ(p.height, 33);
    EXPECT_EQ(p.frequency, 44);
}

TEST(ModeLabelParser, WidthGoesThroughSixteenBits) {
    EXPECT_EQ(Parse("32767 x 600 @ 60Hz 256 colors").width, 32767);
    const Parsed big = Parse("40000 x 70000 @ 100000Hz 32bit colors", {0, 5, 0, 0});
    EXPECT_EQ(big.width, 0);
    EXPECT_EQ(big.height, 70000);
    EXPECT_EQ(big.frequency, 100000);
    EXPECT_EQ(big.bpp, 32);
    EXPECT_EQ(Parse("-5 x 600 @ 60Hz 256 colors").width, -5);
}

TEST(ModeLabelParser, BrokenStepsAreSkippedOneByOne) {
    // No "@": height and rate cannot be taken; width and depth still can.
    const Parsed noAt = Parse("800 x 600 60Hz 256 colors", {1, 2, 3, 4});
    EXPECT_EQ(noAt.width, 800);
    EXPECT_EQ(noAt.height, 3);
    EXPECT_EQ(noAt.frequency, 4);
    EXPECT_EQ(noAt.bpp, 8);
    // Not a number in the height place.
    const Parsed letters = Parse("800 x abc @ 60Hz 32bit colors", {0, 0, 9, 0});
    EXPECT_EQ(letters.height, 9);
    EXPECT_EQ(letters.frequency, 60);
    // An unknown depth key keeps bpp.
    EXPECT_EQ(Parse("800 x 600 @ 60Hz 24bit colors", {3, 0, 0, 0}).bpp, 3);
    // Text without any marker.
    const Parsed junk = Parse("hello", {1, 2, 3, 4});
    EXPECT_EQ(junk.width, 0);
    EXPECT_EQ(junk.height, 3);
    EXPECT_EQ(junk.frequency, 4);
    EXPECT_EQ(junk.bpp, 1);
}

TEST(ModeLabelParser, NumbersPastThirtyTwoBitsAreStepsThatFail) {
    // Each number that does not fit its output is skipped alone; the others are read.
    const Parsed p = Parse("800 x 4294967296 @ 99999999999999999999Hz 256 colors", {1, 2, 3, 4});
    EXPECT_EQ(p.width, 800);
    EXPECT_EQ(p.height, 3);
    EXPECT_EQ(p.frequency, 4);
    EXPECT_EQ(p.bpp, 8);
    const Parsed edge = Parse("1 x 2147483647 @ -2147483648Hz 16bit colors", {1, 2, 3, 4});
    EXPECT_EQ(edge.height, 2147483647);
    EXPECT_EQ(edge.frequency, -2147483647 - 1);
    EXPECT_EQ(Parse("1 x 2147483648 @ 60Hz 16bit colors", {1, 2, 3, 4}).height, 3);
    EXPECT_EQ(Parse("4294967296 x 600 @ 60Hz 16bit colors", {1, 2, 3, 4}).width, 0);
}

TEST(ModeLabelParser, MarkersAreCaseSensitive) {
    // "X" is not the width marker and "h" is not the rate marker.
    const Parsed p = Parse("800 X 600 @ 60hz 256 colors", {0, 0, 0, 77});
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.frequency, 77);
}

TEST(ModeLabel, DecimalCoversTheWholeRange) {
    EXPECT_EQ(platform::Decimal(0), "0");
    EXPECT_EQ(platform::Decimal(-7), "-7");
    EXPECT_EQ(platform::Decimal(2147483647), "2147483647");
    EXPECT_EQ(platform::Decimal(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(modes::WithSignColumn(-2147483647 - 1), "-2147483648");
}
