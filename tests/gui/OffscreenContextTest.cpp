#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "TestPictures.h"
#include "gui/Bitmap.h"
#include "gui/Frame.h"
#include "gui/OffscreenContext.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

void expectEveryPixel(const OffscreenContext& offscreen, COLORREF colour) {
    for (int y = 0; y < offscreen.getHeight(); ++y) {
        for (int x = 0; x < offscreen.getWidth(); ++x) {
            ASSERT_EQ(GetPixel(offscreen.getSystemContext(), x, y), colour) << x << "," << y;
        }
    }
}

}  // namespace

TEST(OffscreenContext, ForAFrameIsClearedToItsBackgroundToTheLastPixel) {
    Frame frame(Rect(0, 0, 50, 50), nullptr, nullptr);
    OffscreenContext offscreen(&frame, 10, 10, kRedColor);
    EXPECT_EQ(offscreen.getFrame(), &frame);
    EXPECT_EQ(offscreen.getBackgroundColor(), kRedColor);
    EXPECT_EQ(GetPixel(offscreen.getSystemContext(), 0, 0), rgb(kRedColor));
    EXPECT_EQ(GetPixel(offscreen.getSystemContext(), 9, 9), rgb(kRedColor));
    expectEveryPixel(offscreen, rgb(kRedColor));
}

TEST(OffscreenContext, CopyToMovesABlockFromTheSourcePoint) {
    OffscreenContext offscreen(nullptr, 10, 10, kBlueColor);
    offscreen.drawPoint(Point(3, 4), kYellowColor);
    MemorySurface surface(40, 40, kGrey);
    DrawContext destination(nullptr, surface.dc(), nullptr);
    offscreen.copyTo(destination, Rect(20, 20, 25, 26), Point(1, 2));
    EXPECT_EQ(surface.inked().size(), 30u);
    EXPECT_EQ(surface.pixel(22, 22), rgb(kYellowColor));
    EXPECT_EQ(surface.pixel(20, 20), rgb(kBlueColor));
    EXPECT_EQ(surface.pixel(24, 25), rgb(kBlueColor));
    EXPECT_EQ(surface.pixel(25, 25), kGrey);
}

TEST(OffscreenContext, FromAPictureHoldsACopyOfIt) {
    auto* strip = new Bitmap(kStripPicture);
    MemorySurface surface(4, 4, kGrey);
    DrawContext source(nullptr, surface.dc(), nullptr);
    {
        OffscreenContext offscreen(source, strip);
        EXPECT_EQ(offscreen.getWidth(), 16);
        EXPECT_EQ(offscreen.getHeight(), 32);
        EXPECT_EQ(GetPixel(offscreen.getSystemContext(), 0, 0), RGB(0, 0, 100));
        EXPECT_EQ(GetPixel(offscreen.getSystemContext(), 15, 31), RGB(240, 248, 100));
        EXPECT_EQ(GetPixel(offscreen.getSystemContext(), 7, 20), RGB(112, 160, 100));
    }
    EXPECT_EQ(strip->getRefCount(), 1);
    strip->forget();
}

TEST(OffscreenContext, WithoutAPictureIsTwentyPixelsSquareAndBlack) {
    MemorySurface surface(4, 4, kGrey);
    DrawContext source(nullptr, surface.dc(), nullptr);
    OffscreenContext offscreen(source, nullptr);
    EXPECT_EQ(offscreen.getWidth(), 20);
    EXPECT_EQ(offscreen.getHeight(), 20);
    expectEveryPixel(offscreen, RGB(0, 0, 0));
}

TEST(OffscreenContext, DeletesItsMemoryBitmapAndEverythingItMade) {
    const int before = gdiObjectCount();
    ASSERT_GE(before, 0);
    HBITMAP bitmap;
    {
        OffscreenContext offscreen(nullptr, 30, 20, kGreenColor);
        offscreen.setFont(kFontNormal);
        bitmap = reinterpret_cast<HBITMAP>(offscreen.getWindow());
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
        EXPECT_GT(gdiObjectCount(), before);
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST(ViewOffscreen, IsKeptOnlyWhenLargeEnoughForTheView) {
    View view(Rect(10, 10, 30, 25));
    OffscreenContext small(nullptr, 19, 15, kBlackColor);
    OffscreenContext exact(nullptr, 20, 15, kBlackColor);
    view.attachOffscreen(&small);
    EXPECT_EQ(view.getOffscreen(), nullptr);
    view.attachOffscreen(&exact);
    EXPECT_EQ(view.getOffscreen(), &exact);
    view.attachOffscreen(nullptr);
    EXPECT_EQ(view.getOffscreen(), &exact);
}
