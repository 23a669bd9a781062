#include <gtest/gtest.h>

#include "gui/Color.h"
#include "gui/Fonts.h"
#include "gui/Geometry.h"

TEST(PointIsInside, CountsAllFourEdgesAsInside) {
    const Rect r(10, 20, 30, 40);
    EXPECT_TRUE(Point(10, 20).isInside(r));
    EXPECT_TRUE(Point(30, 40).isInside(r));
    EXPECT_TRUE(Point(30, 20).isInside(r));
    EXPECT_TRUE(Point(10, 40).isInside(r));
}

TEST(PointIsInside, RejectsOnePixelBeyondAnyEdge) {
    const Rect r(10, 20, 30, 40);
    EXPECT_FALSE(Point(31, 40).isInside(r));
    EXPECT_FALSE(Point(30, 41).isInside(r));
    EXPECT_FALSE(Point(9, 30).isInside(r));
    EXPECT_FALSE(Point(20, 19).isInside(r));
}

TEST(RectSize, IsNeitherNormalisedNorClamped) {
    const Rect backwards(30, 40, 10, 25);
    EXPECT_EQ(backwards.width(), -20);
    EXPECT_EQ(backwards.height(), -15);
    EXPECT_FALSE(Point(20, 30).isInside(backwards));
}

TEST(ColorComparison, IgnoresTheSpareByte) {
    EXPECT_TRUE((Color{255, 255, 255, 0} == Color{255, 255, 255, 9}));
    EXPECT_FALSE((Color{255, 255, 255, 0} != Color{255, 255, 255, 9}));
    EXPECT_TRUE((Color{255, 255, 254, 0} != Color{255, 255, 255, 0}));
    EXPECT_TRUE((Color{1, 2, 3, 0} != Color{3, 2, 1, 0}));
}

TEST(ColorReference, PutsRedLowestAndDropsSpare) {
    EXPECT_EQ((Color{0x12, 0x34, 0x56, 0x78}.toColorRef()), 0x563412u);
    EXPECT_EQ(kRedColor.toColorRef(), 0x0000FFu);
    EXPECT_EQ(kBlueColor.toColorRef(), 0xFF0000u);
}

TEST(FontTable, NumbersOutsideTheTableGiveTheTitleFont) {
    EXPECT_EQ(&fontEntry(7), &fontEntry(kFontTitle));
    EXPECT_EQ(&fontEntry(-1), &fontEntry(kFontTitle));
    EXPECT_NE(&fontEntry(kFontSymbol), &fontEntry(kFontTitle));
}
