#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/DrawContext.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr int kWidth = 120;
constexpr int kHeight = 40;
const char* const kText = "Tolvek";

struct TextPicture {
    explicit TextPicture(const Rect& r, int32_t align, int16_t opaque = 0) : surface(kWidth, kHeight, kGrey) {
        DrawContext context(nullptr, surface.dc(), nullptr);
        context.setFont(kFontLarge);
        context.setFontColor(kBlueColor);
        context.setFillColor(kRedColor);
        context.drawString(kText, r, opaque, align);
        bkModeAfter = GetBkMode(surface.dc());
    }
    MemorySurface surface;
    int bkModeAfter = 0;
};

int textWidth() {
    MemorySurface surface(4, 4, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFont(kFontLarge);
    SIZE extent{};
    GetTextExtentPoint32A(surface.dc(), kText, 6, &extent);
    return extent.cx;
}

}  // namespace

TEST(DrawString, LeftAlignmentIndentsOnePixel) {
    // One pixel wider than the text: right-aligned text starts one pixel in,
    // exactly where the left indent puts it.
    const Rect r(10, 5, 10 + textWidth() + 1, 35);
    TextPicture left(r, kAlignLeft);
    TextPicture right(r, kAlignRight);
    ASSERT_FALSE(left.surface.inked().empty());
    EXPECT_TRUE(left.surface.samePixels(right.surface));

    const Rect oneFurther(11, 5, 11 + textWidth() + 1, 35);
    TextPicture shifted(oneFurther, kAlignLeft);
    EXPECT_FALSE(left.surface.samePixels(shifted.surface));
}

TEST(DrawString, CentredTextSitsMidwayAcrossTheRectangle) {
    const Rect r(10, 5, 10 + textWidth() + 2, 35);
    TextPicture centred(r, kAlignCenter);
    TextPicture left(r, kAlignLeft);
    EXPECT_TRUE(centred.surface.samePixels(left.surface));
}

TEST(DrawString, UnknownAlignmentBehavesAsLeft) {
    const Rect r(10, 5, 110, 35);
    TextPicture five(r, 5);
    TextPicture minusOne(r, -1);
    TextPicture left(r, kAlignLeft);
    TextPicture centred(r, kAlignCenter);
    EXPECT_TRUE(five.surface.samePixels(left.surface));
    EXPECT_TRUE(minusOne.surface.samePixels(left.surface));
    EXPECT_FALSE(five.surface.samePixels(centred.surface));
}

TEST(DrawString, TextIsCentredVerticallyOnOneLineAndClippedToTheRectangle) {
    TextPicture tall(Rect(0, 0, 120, 40), kAlignLeft);
    TextPicture shorter(Rect(0, 0, 120, 20), kAlignLeft);
    const Rect tallInk = tall.surface.inkBounds();
    const Rect shorterInk = shorter.surface.inkBounds();
    EXPECT_EQ(tallInk.top - shorterInk.top, 10);

    const Rect narrow(20, 12, 40, 26);
    TextPicture clipped(narrow, kAlignLeft);
    const Rect ink = clipped.surface.inkBounds();
    ASSERT_LE(ink.left, ink.right);
    EXPECT_GE(ink.left, narrow.left);
    EXPECT_LT(ink.right, narrow.right);
    EXPECT_GE(ink.top, narrow.top);
    EXPECT_LT(ink.bottom, narrow.bottom);
}

TEST(DrawString, OpaqueTextFillsItsBackgroundWithTheFillColour) {
    const Rect r(0, 0, 120, 40);
    TextPicture transparent(r, kAlignLeft, 0);
    TextPicture opaque(r, kAlignLeft, 1);
    bool blue = false;
    for (const POINT& p : transparent.surface.inked()) {
        EXPECT_NE(transparent.surface.pixel(p.x, p.y), rgb(kRedColor));
        blue = blue || transparent.surface.pixel(p.x, p.y) == rgb(kBlueColor);
    }
    EXPECT_TRUE(blue);
    int red = 0;
    for (const POINT& p : opaque.surface.inked()) red += opaque.surface.pixel(p.x, p.y) == rgb(kRedColor);
    EXPECT_GT(red, 20);
    EXPECT_EQ(transparent.bkModeAfter, TRANSPARENT);
    EXPECT_EQ(opaque.bkModeAfter, TRANSPARENT);
}

TEST(DrawString, MissingTextDrawsNothing) {
    MemorySurface surface(kWidth, kHeight, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.drawString(nullptr, Rect(0, 0, 100, 30), 1, kAlignLeft);
    EXPECT_TRUE(surface.inked().empty());
}
