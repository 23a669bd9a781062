#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "TestPictures.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kPurple = RGB(90, 0, 90);

COLORREF stripColour(int x, int y) { return RGB(x * 16, y * 8, 100); }

// The keyed picture, as make_test_pictures.py writes it.
const COLORREF kKeyed[3][5] = {
    {RGB(255, 255, 255), RGB(254, 255, 255), RGB(10, 20, 30), RGB(255, 255, 255), RGB(255, 254, 255)},
    {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 254), RGB(200, 0, 0), RGB(255, 255, 255)},
    {RGB(255, 255, 255), RGB(0, 128, 255), RGB(255, 255, 255), RGB(1, 1, 1), RGB(255, 255, 255)},
};

// A picture held for one test, let go at its end.
struct Held {
    explicit Held(int32_t id) : picture(new Bitmap(id)) {}
    ~Held() { picture->forget(); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    Bitmap* picture;
};

void expectKeyedPictureAt(const MemorySurface& surface, int left, int top, COLORREF behind) {
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const COLORREF expected = kKeyed[y][x] == RGB(255, 255, 255) ? behind : kKeyed[y][x];
            EXPECT_EQ(surface.pixel(left + x, top + y), expected) << "picture pixel " << x << "," << y;
        }
    }
}

}  // namespace

TEST(BitmapLoading, ReadsTheSizeOfTheResource) {
    Held strip(kStripPicture);
    EXPECT_NE(strip.picture->getHandle(), nullptr);
    EXPECT_EQ(strip.picture->getWidth(), 16);
    EXPECT_EQ(strip.picture->getHeight(), 32);
    EXPECT_EQ(strip.picture->getRefCount(), 1);
    EXPECT_EQ(strip.picture->getResourceId(), kStripPicture);
    Held keyed(kKeyedPicture);
    EXPECT_EQ(keyed.picture->getWidth(), 5);
    EXPECT_EQ(keyed.picture->getHeight(), 3);
}

TEST(BitmapLoading, AMissingResourceIsAnEmptyPictureThatDrawsNothing) {
    Held missing(kMissingPicture);
    EXPECT_EQ(missing.picture->getHandle(), nullptr);
    EXPECT_EQ(missing.picture->getWidth(), 0);
    EXPECT_EQ(missing.picture->getHeight(), 0);
    MemorySurface surface(20, 20, kGreen);
    DrawContext context(nullptr, surface.dc(), nullptr);
    missing.picture->draw(context, Rect(0, 0, 20, 20), Point(0, 0));
    missing.picture->drawTransparent(context, Rect(0, 0, 20, 20), Point(0, 0));
    EXPECT_TRUE(surface.inked().empty());
}

TEST(BitmapSharing, TheLastForgetDeletesThePicture) {
    auto* picture = new Bitmap(kStripPicture);
    HBITMAP handle = picture->getHandle();
    picture->remember();
    EXPECT_EQ(picture->getRefCount(), 2);
    picture->forget();
    EXPECT_EQ(picture->getRefCount(), 1);
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    picture->forget();
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(BitmapDrawing, AnOffsetPicksTheLowerImageOfAStrip) {
    Held strip(kStripPicture);
    MemorySurface surface(170, 170, kGreen);
    DrawContext context(nullptr, surface.dc(), nullptr);
    const Rect r(137, 145, 153, 161);
    strip.picture->draw(context, r, Point(0, 16));
    for (int y = 140; y < 166; ++y) {
        for (int x = 132; x < 158; ++x) {
            const bool inside = x >= 137 && x < 153 && y >= 145 && y < 161;
            const COLORREF expected = inside ? stripColour(x - 137, y - 145 + 16) : kGreen;
            ASSERT_EQ(surface.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(BitmapDrawing, PlainDrawingCopiesOnlyTheRectanglesSize) {
    Held strip(kStripPicture);
    MemorySurface surface(40, 40, kGreen);
    DrawContext context(nullptr, surface.dc(), nullptr);
    strip.picture->draw(context, Rect(2, 3, 6, 5), Point(1, 2));
    EXPECT_EQ(surface.inked().size(), 8u);
    EXPECT_EQ(surface.pixel(2, 3), stripColour(1, 2));
    EXPECT_EQ(surface.pixel(5, 4), stripColour(4, 3));
}

TEST(BitmapTransparency, PureWhiteLeavesTheDestinationAndNearWhiteIsDrawn) {
    Held keyed(kKeyedPicture);
    MemorySurface surface(12, 10, kGreen);
    DrawContext context(nullptr, surface.dc(), nullptr);
    keyed.picture->drawTransparent(context, Rect(4, 3, 9, 6), Point(0, 0));
    expectKeyedPictureAt(surface, 4, 3, kGreen);
    EXPECT_EQ(surface.pixel(5, 3), RGB(254, 255, 255));
    EXPECT_EQ(surface.inked().size(), 8u);
}

TEST(BitmapTransparency, ThePictureItselfKeepsItsWhitePixels) {
    Held keyed(kKeyedPicture);
    MemorySurface surface(12, 10, kGreen);
    DrawContext context(nullptr, surface.dc(), nullptr);
    keyed.picture->drawTransparent(context, Rect(4, 3, 9, 6), Point(0, 0));
    keyed.picture->draw(context, Rect(4, 3, 9, 6), Point(0, 0));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_EQ(surface.pixel(4 + x, 3 + y), kKeyed[y][x]);
    }
}

TEST(BitmapTransparency, TheCachedMaskServesLaterDrawsOnOtherBackgrounds) {
    Held keyed(kKeyedPicture);
    MemorySurface first(12, 10, kGreen);
    MemorySurface second(12, 10, kPurple);
    DrawContext firstContext(nullptr, first.dc(), nullptr);
    DrawContext secondContext(nullptr, second.dc(), nullptr);
    EXPECT_EQ(keyed.picture->getMaskHandle(), nullptr);
    keyed.picture->drawTransparent(firstContext, Rect(0, 0, 5, 3), Point(0, 0));
    HBITMAP mask = keyed.picture->getMaskHandle();
    ASSERT_NE(mask, nullptr);
    keyed.picture->drawTransparent(secondContext, Rect(6, 6, 11, 9), Point(0, 0));
    EXPECT_EQ(keyed.picture->getMaskHandle(), mask);
    keyed.picture->drawTransparent(secondContext, Rect(0, 0, 5, 3), Point(0, 0));
    expectKeyedPictureAt(first, 0, 0, kGreen);
    expectKeyedPictureAt(second, 6, 6, kPurple);
    expectKeyedPictureAt(second, 0, 0, kPurple);
}

TEST(BitmapTransparency, LeavesNoObjectBehind) {
    Held keyed(kKeyedPicture);
    MemorySurface surface(12, 10, kGreen);
    DrawContext context(nullptr, surface.dc(), nullptr);
    keyed.picture->drawTransparent(context, Rect(0, 0, 5, 3), Point(0, 0));  // builds the mask once
    const int before = gdiObjectCount();
    ASSERT_GE(before, 0);
    for (int i = 0; i < 50; ++i) keyed.picture->drawTransparent(context, Rect(0, 0, 5, 3), Point(0, 0));
    EXPECT_EQ(gdiObjectCount(), before);
}
