#include <gtest/gtest.h>

#include "controls/property_bag.h"

namespace {

using controls::PropertyBag;

TEST(PropertyBag, KeysMatchWithoutRegardToCase) {
    PropertyBag bag;
    bag.Write("BTYPE", std::int32_t{7});
    EXPECT_EQ(bag.ReadInt32("btype", 0), 7);
    EXPECT_EQ(bag.ReadInt32("BType", 0), 7);
    EXPECT_EQ(bag.ReadInt32("BTYP", 3), 3);
    bag.Write("btype", std::int32_t{9});  // the same key: replaced in place
    EXPECT_EQ(bag.Size(), 1u);
    EXPECT_EQ(bag.ReadInt32("BTYPE", 0), 9);
}

TEST(PropertyBag, KeepsWriteOrder) {
    PropertyBag bag;
    bag.Write("Z", true);
    bag.Write("A", std::string("x"));
    bag.Write("M", std::int16_t{1});
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Z", "A", "M"}));
}

TEST(PropertyBag, OmitsAValueEqualToTheWritersDefault) {
    PropertyBag bag;
    bag.Write("ImageIndex", std::int16_t{0}, std::int16_t{0});
    EXPECT_FALSE(bag.Has("ImageIndex"));
    bag.Write("ImageIndex", std::int16_t{3}, std::int16_t{0});
    EXPECT_EQ(bag.ReadInt16("imageindex", 0), 3);
    bag.Write("ImageIndex", std::int16_t{0}, std::int16_t{0});
    EXPECT_FALSE(bag.Has("ImageIndex"));
}

TEST(PropertyBag, ConvertsValuesOfAnotherType) {
    PropertyBag bag;
    bag.Write("I", std::int32_t{5});
    bag.Write("B", true);
    bag.Write("S", std::string("12"));
    bag.Write("T", std::string("true"));
    bag.Write("F", paint::FontInfo{});
    EXPECT_TRUE(bag.ReadBool("I", false));
    EXPECT_EQ(bag.ReadInt32("B", 0), -1);  // True is -1
    EXPECT_EQ(bag.ReadInt16("S", 0), 12);
    EXPECT_TRUE(bag.ReadBool("T", false));
    EXPECT_EQ(bag.ReadString("I", ""), "5");
    EXPECT_EQ(bag.ReadString("B", ""), "True");
    EXPECT_EQ(bag.ReadInt32("F", 42), 42);  // a font is no number
    EXPECT_EQ(bag.ReadPicture("I", nullptr), nullptr);
    bag.Write("Big", std::int32_t{70000});
    EXPECT_EQ(bag.ReadInt16("Big", 4), 4);  // out of range for 16 bits
    bag.Write("Neg", std::int32_t{-2147483647 - 1});
    EXPECT_EQ(bag.ReadString("Neg", ""), "-2147483648");
}

TEST(PropertyBag, ReadsNumbersWrittenAsText) {
    PropertyBag bag;
    bag.Write("N", std::string("-30"));
    bag.Write("P", std::string("+7"));
    bag.Write("X", std::string("12x"));
    bag.Write("E", std::string(""));
    bag.Write("D", std::string("."));
    EXPECT_EQ(bag.ReadInt32("N", 0), -30);
    EXPECT_EQ(bag.ReadInt32("P", 0), 7);
    EXPECT_EQ(bag.ReadInt32("X", 9), 9);
    EXPECT_EQ(bag.ReadInt32("E", 9), 9);
    EXPECT_EQ(bag.ReadInt32("D", 9), 9);
    EXPECT_FALSE(bag.ReadBool("N", false) == false);  // any non-zero number is True
}

}  // namespace
