#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ExtraPictures.h"
#include "GuiTestSupport.h"
#include "TextLook.h"
#include "controls/DisplayStyle.h"
#include "controls/ParamDisplay.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

constexpr COLORREF kSurfaceColour = RGB(90, 90, 90);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
const Rect kBox(10, 5, 70, 25);

// The inked pixels of one colour.
Rect boundsOf(const MemorySurface& surface, COLORREF colour) {
    Rect bounds(surface.width(), surface.height(), -1, -1);
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.pixel(x, y) != colour) continue;
            bounds = Rect(std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x),
                          std::max(bounds.bottom, y));
        }
    }
    return bounds;
}

bool isUpToDate(const Control& control) { return control.getDrawnValue() == control.getValue(); }

void writeVolume(float value, char* text) { std::strcpy(text, value > 0.5f ? "LOUD" : "soft"); }

}  // namespace

TEST(ParamDisplay, AFreshDisplayShowsZeroInWhiteCentredOnABlackBox) {
    ParamDisplay display(kBox, nullptr, 0);
    MemorySurface shown(80, 30, kSurfaceColour);
    MemorySurface expected(80, 30, kSurfaceColour);
    drawInto(shown, display);
    drawExpectedText(expected, kBox, "0.00", kWhiteColor);
    EXPECT_TRUE(shown.samePixels(expected));

    const Rect ink = boundsOf(shown, kWhite);
    ASSERT_GE(ink.right, ink.left) << "no white text";
    // Glyph side bearings leave the ink a pixel or two off the exact middle.
    EXPECT_LE(std::abs((ink.left - kBox.left) - (kBox.right - ink.right)), 2);
    EXPECT_LE(std::abs((ink.top - kBox.top) - (kBox.bottom - ink.bottom)), 2);
    EXPECT_EQ(shown.pixel(kBox.left, kBox.top), kBlack);
    EXPECT_EQ(shown.pixel(kBox.right, kBox.bottom), kBlack);
    EXPECT_EQ(shown.pixel(kBox.left + 2, kBox.top + 2), kBlack);
    EXPECT_EQ(shown.pixel(kBox.right + 1, kBox.bottom), kSurfaceColour);
    EXPECT_EQ(display.getListener(), nullptr);
    EXPECT_EQ(display.getTag(), 0);
}

TEST(ParamDisplay, SettersForceARedrawOnlyWhenTheLookChanges) {
    ParamDisplay display(kBox, nullptr, 0);
    MemorySurface surface(80, 30, kSurfaceColour);
    auto drawn = [&] {
        drawInto(surface, display);
        return isUpToDate(display);
    };
    ASSERT_TRUE(drawn());

    display.setFont(kFontNormal);
    display.setHorizontalAlign(kAlignCenter);
    display.setBackColor(kBlackColor);
    display.setFrameColor(kBlackColor);
    display.setShadowColor(kRedColor);
    display.setFontColor(Color{255, 255, 255, 9});
    EXPECT_TRUE(isUpToDate(display)) << "nothing visible changed";
    EXPECT_EQ(display.getFontColor().spare, 9) << "spare is stored all the same";

    display.setFont(kFontLarge);
    EXPECT_FALSE(isUpToDate(display));
    ASSERT_TRUE(drawn());
    display.setFontColor(kYellowColor);
    EXPECT_FALSE(isUpToDate(display));
    ASSERT_TRUE(drawn());
    display.setBackColor(kBlueColor);
    EXPECT_FALSE(isUpToDate(display));
    ASSERT_TRUE(drawn());
    display.setFrameColor(kGreenColor);
    EXPECT_FALSE(isUpToDate(display));
    ASSERT_TRUE(drawn());
    display.setShadowColor(kCyanColor);
    EXPECT_FALSE(isUpToDate(display));
    ASSERT_TRUE(drawn());
    display.setHorizontalAlign(kAlignRight);
    EXPECT_FALSE(isUpToDate(display));
    ASSERT_TRUE(drawn());

    display.setBackgroundOffset(Point(3, 3));
    display.setStringConvert(writeVolume);
    EXPECT_TRUE(isUpToDate(display)) << "these only store";
}

TEST(ParamDisplay, AConverterReplacesTheNumberAndIsCutAt255Characters) {
    ParamDisplay display(kBox, nullptr, 0);
    display.setValue(0.8f);
    display.setStringConvert(writeVolume);
    MemorySurface shown(80, 30, kSurfaceColour);
    MemorySurface expected(80, 30, kSurfaceColour);
    drawInto(shown, display);
    drawExpectedText(expected, kBox, "LOUD", kWhiteColor);
    EXPECT_TRUE(shown.samePixels(expected));

    // All 256 bytes written and no terminator: the text still ends in the buffer.
    display.setStringConvert([](float, char* text) { std::memset(text, 'x', 256); });
    const std::string longText(255, 'x');
    MemorySurface cut(80, 30, kSurfaceColour);
    MemorySurface cutExpected(80, 30, kSurfaceColour);
    drawInto(cut, display);
    drawExpectedText(cutExpected, kBox, longText.c_str(), kWhiteColor);
    EXPECT_TRUE(cut.samePixels(cutExpected));
}

TEST(ParamDisplay, ABevelTakesTheBoxColoursAndReplacesTheOutline) {
    const Color back{0, 0, 160, 0};
    const Color frame{160, 0, 0, 0};
    for (int32_t style : {int32_t{EdgeBackTopLeft}, int32_t{EdgeFrameTopLeft}, EdgeBackTopLeft | EdgeFrameTopLeft}) {
        ParamDisplay display(kBox, nullptr, style);
        display.setBackColor(back);
        display.setFrameColor(frame);
        display.setFontColor(back);  // no text pixel differs from the box
        MemorySurface surface(80, 30, kSurfaceColour);
        drawInto(surface, display);
        const bool backTopLeft = (style & EdgeBackTopLeft) != 0;
        const COLORREF topLeft = backTopLeft ? back.toColorRef() : frame.toColorRef();
        const COLORREF bottomRight = backTopLeft ? frame.toColorRef() : back.toColorRef();
        SCOPED_TRACE(style);
        EXPECT_EQ(surface.pixel(kBox.left, kBox.top + 7), topLeft);
        EXPECT_EQ(surface.pixel(kBox.left + 20, kBox.top), topLeft);
        EXPECT_EQ(surface.pixel(kBox.right, kBox.top), topLeft) << "the top edge reaches the right column";
        EXPECT_EQ(surface.pixel(kBox.right, kBox.top + 7), bottomRight);
        EXPECT_EQ(surface.pixel(kBox.left + 20, kBox.bottom), bottomRight);
        EXPECT_EQ(surface.pixel(kBox.left + 20, kBox.top + 3), back.toColorRef());
    }
}

TEST(ParamDisplay, ShadowTextLiesOnePixelRightAndDownUnderTheText) {
    ParamDisplay display(kBox, nullptr, ShadowText);
    display.setShadowColor(kGreenColor);
    MemorySurface surface(80, 30, kSurfaceColour);
    drawInto(surface, display);
    const Rect text = boundsOf(surface, kWhite);
    const Rect shadow = boundsOf(surface, RGB(0, 255, 0));
    ASSERT_GE(shadow.right, shadow.left) << "no shadow";
    EXPECT_EQ(shadow.right, text.right + 1);
    EXPECT_EQ(shadow.bottom, text.bottom + 1);
}

TEST(ParamDisplay, ABackgroundPictureReplacesFillAndOutline) {
    auto* picture = new Bitmap(kTextBackPicture);
    ParamDisplay display(kBox, picture, 0);
    picture->forget();
    display.setBackgroundOffset(Point(4, 2));
    display.setFontColor(kBlackColor);
    display.setValue(0.25f);
    MemorySurface surface(80, 30, kSurfaceColour);
    drawInto(surface, display);
    EXPECT_EQ(surface.pixel(kBox.left, kBox.top), textBackColour(4, 2));
    EXPECT_EQ(surface.pixel(kBox.right - 1, kBox.bottom - 1), textBackColour(4 + 59, 2 + 19));
}
