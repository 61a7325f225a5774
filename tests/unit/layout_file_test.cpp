// The text of the layout files: the packed position, the exact line bytes and the reader.
#include <gtest/gtest.h>

#include <string>

#include "icons/layout_file.h"

using icons::LayoutLine;
using icons::LayoutText;
using icons::PackPosition;
using icons::ReadLayoutValues;
using icons::UnpackPosition;
using platform::Point;

namespace {

using Values = std::vector<std::optional<std::int32_t>>;

}  // namespace

TEST(LayoutFile, LinesHoldThePackedPositionInItsSignColumnABlankAndCrLf) {
    EXPECT_EQ(LayoutLine({10, 20}), " 1310730 \r\n");
    EXPECT_EQ(LayoutLine({0, 0}), " 0 \r\n");
    EXPECT_EQ(LayoutLine({-10, 5}), " 327670 \r\n");  // 5 * 65536 - 10
    EXPECT_EQ(LayoutLine({-10, -5}), "-327690 \r\n");
    EXPECT_EQ(LayoutLine({32767, 32767}), " 2147450879 \r\n");
    EXPECT_EQ(LayoutText({{10, 20}, {75, 10}, {-10, 5}}), " 1310730 \r\n 655435 \r\n 327670 \r\n");
    EXPECT_EQ(LayoutText({}), "");
}

TEST(LayoutFile, PositionsBeyondWhatALineCarriesAreWrittenAtTheNearestOneThatFits) {
    // y beyond 16 bits would overflow the signed 32-bit line (or wrap onto the other side of
    // the screen): it is held at the edge instead, and so is x.
    EXPECT_EQ(PackPosition({0, 40000}), 32767 * 65536);
    EXPECT_EQ(PackPosition({5, -40000}), 5 - 32767 * 65536);
    EXPECT_EQ(PackPosition({-1, -32768}), -1 - 32767 * 65536) << "one more would leave 32 bits";
    EXPECT_EQ(PackPosition({70000, 1}), 32767 + 65536);
    EXPECT_EQ(PackPosition({-70000, 1}), -32768 + 65536);
    EXPECT_EQ(UnpackPosition(PackPosition({-70000, 99999})), (Point{-32768, 32767}));
}

TEST(LayoutFile, AStoredValueMeansTheXInItsLow16BitsAndTheYAboveIt) {
    // The high 16 bits alone would read 327670 as y = 4: one pixel higher at every restore.
    EXPECT_EQ(UnpackPosition(327670), (Point{-10, 5}));
    EXPECT_EQ(UnpackPosition(1310730), (Point{10, 20}));
    EXPECT_EQ(UnpackPosition(-327690), (Point{-10, -5}));
    EXPECT_EQ(UnpackPosition(0), (Point{0, 0}));
    EXPECT_EQ(UnpackPosition(-1), (Point{-1, 0}));
    EXPECT_EQ(UnpackPosition(65535), (Point{-1, 1}));
    EXPECT_EQ(UnpackPosition(INT32_MIN), (Point{0, -32768}));
    EXPECT_EQ(UnpackPosition(INT32_MAX), (Point{-1, 32768})) << "only another writer stores this";
    for (int x : {-32768, -1000, -1, 0, 1, 1000, 32767})
        for (int y : {-32767, -1, 0, 1, 600, 32767})
            EXPECT_EQ(UnpackPosition(PackPosition({x, y})), (Point{x, y})) << x << "," << y;
}

TEST(LayoutFile, ReadsNumbersSeparatedByLineEndsOrCommasWithBlanksAround) {
    EXPECT_EQ(ReadLayoutValues(" 1310730 \r\n 327670 \r\n-327690 \r\n"),
              (Values{1310730, 327670, -327690}));
    EXPECT_EQ(ReadLayoutValues("1,2, 3 ,\t4\t"), (Values{1, 2, 3, 4}));
    EXPECT_EQ(ReadLayoutValues("1\n2\r3\r\n4"), (Values{1, 2, 3, 4})) << "any line end; no end at the end";
    EXPECT_EQ(ReadLayoutValues("+7\r\n"), (Values{7}));
    EXPECT_EQ(ReadLayoutValues(""), Values{});
    EXPECT_EQ(ReadLayoutValues("\r\n\r\n  \r\n,,"), Values{}) << "empty fields are no values";
    EXPECT_EQ(ReadLayoutValues("5\r\n\r\n6\r\n"), (Values{5, 6}));
}

TEST(LayoutFile, AFieldThatIsNoNumberKeepsItsPlaceWithoutAValue) {
    EXPECT_EQ(ReadLayoutValues(" 1 \r\nabc\r\n 3 \r\n"), (Values{1, std::nullopt, 3}));
    EXPECT_EQ(ReadLayoutValues("12.5,1 2,0x10,- 4, 5"),
              (Values{std::nullopt, std::nullopt, std::nullopt, std::nullopt, 5}));
    // Beyond the signed 32-bit range is no position either.
    EXPECT_EQ(ReadLayoutValues("2147483647\r\n2147483648\r\n-2147483648\r\n-2147483649\r\n"),
              (Values{2147483647, std::nullopt, INT32_MIN, std::nullopt}));
}

TEST(LayoutFile, ReadingStopsAfterThe2001stValue) {
    std::string text;
    for (int i = 0; i < 2500; ++i) text += " " + std::to_string(i) + " \r\n";
    const Values values = ReadLayoutValues(text);
    ASSERT_EQ(values.size(), 2001u);
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.back(), 2000);

    // A field that is no number counts among the 2001.
    const Values withDamage = ReadLayoutValues("x\r\n" + text);
    ASSERT_EQ(withDamage.size(), 2001u);
    EXPECT_EQ(withDamage.back(), 1999);
}
