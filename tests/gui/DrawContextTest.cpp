#include <gtest/gtest.h>

#include <cstring>

#include "GuiTestSupport.h"
#include "gui/DrawContext.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

LOGPEN selectedPen(HDC dc) {
    LOGPEN description{};
    GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof description, &description);
    return description;
}

LOGFONTA selectedFont(HDC dc) {
    LOGFONTA description{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof description, &description);
    return description;
}

bool onBorder(int x, int y, const Rect& r) {
    const bool withinX = x >= r.left && x <= r.right;
    const bool withinY = y >= r.top && y <= r.bottom;
    return withinX && withinY && (x == r.left || x == r.right || y == r.top || y == r.bottom);
}

bool strictlyInside(int x, int y, const Rect& r) {
    return x > r.left && x < r.right && y > r.top && y < r.bottom;
}

}  // namespace

TEST(DrawContextLifetime, OnNullDeviceContextCreatesAndDeletesNothing) {
    const int before = gdiObjectCount();
    {
        DrawContext context(nullptr, nullptr, nullptr);
        EXPECT_EQ(context.getObjects().pen, nullptr);
        EXPECT_EQ(context.getObjects().brush, nullptr);
        EXPECT_EQ(context.getObjects().font, nullptr);
        EXPECT_EQ(gdiObjectCount(), before);
        EXPECT_EQ(context.getFrameColor(), kWhiteColor);
        EXPECT_EQ(context.getFillColor(), kBlackColor);
        EXPECT_EQ(context.getFontColor(), kWhiteColor);
        EXPECT_EQ(context.getLineWidth(), 1);
        EXPECT_EQ(context.getLineStyle(), kLineSolid);
    }
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST(DrawContextLifetime, GivesTheDeviceContextBackItsPenBrushAndFont) {
    MemorySurface surface(8, 8, kGrey);
    HPEN hostPen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HBRUSH hostBrush = CreateSolidBrush(RGB(4, 5, 6));
    HFONT hostFont = CreateFontA(-17, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SelectObject(surface.dc(), hostPen);
    SelectObject(surface.dc(), hostBrush);
    SelectObject(surface.dc(), hostFont);
    HPEN ownPen;
    HBRUSH ownBrush;
    HFONT ownFont;
    {
        DrawContext context(nullptr, surface.dc(), nullptr);
        context.setFont(kFontLarge);
        context.setFillColor(kRedColor);
        context.setLineWidth(2);
        ownPen = context.getObjects().pen;
        ownBrush = context.getObjects().brush;
        ownFont = context.getObjects().font;
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), ownPen);
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_BRUSH), ownBrush);
        EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), ownFont);
    }
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), hostPen);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_BRUSH), hostBrush);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), hostFont);
    EXPECT_EQ(GetObjectType(ownPen), 0u);
    EXPECT_EQ(GetObjectType(ownBrush), 0u);
    EXPECT_EQ(GetObjectType(ownFont), 0u);
    SelectObject(surface.dc(), GetStockObject(BLACK_PEN));
    SelectObject(surface.dc(), GetStockObject(WHITE_BRUSH));
    SelectObject(surface.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(hostPen);
    DeleteObject(hostBrush);
    DeleteObject(hostFont);
}

TEST(DrawContextState, StartsWithWhiteOnePixelPenBlackBrushAndTransparentText) {
    MemorySurface surface(8, 8, kGrey);
    SetBkMode(surface.dc(), OPAQUE);
    DrawContext context(nullptr, surface.dc(), nullptr);
    const LOGPEN pen = selectedPen(surface.dc());
    EXPECT_EQ(pen.lopnColor, RGB(255, 255, 255));
    EXPECT_EQ(pen.lopnWidth.x, 1);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
    LOGBRUSH brush{};
    GetObjectA(GetCurrentObject(surface.dc(), OBJ_BRUSH), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(surface.dc()), TRANSPARENT);
    EXPECT_EQ(GetBkColor(surface.dc()), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(surface.dc()), RGB(255, 255, 255));
}

TEST(DrawContextState, PenFollowsColourWidthAndStyleAndReplacesTheOldPen) {
    MemorySurface surface(8, 8, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    HPEN first = context.getObjects().pen;
    context.setFrameColor(Color{10, 20, 30, 99});
    context.setLineWidth(4);
    context.setLineStyle(kLineDotted);
    LOGPEN pen = selectedPen(surface.dc());
    EXPECT_EQ(pen.lopnColor, RGB(10, 20, 30));
    EXPECT_EQ(pen.lopnWidth.x, 4);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(GetObjectType(first), 0u);
    context.setLineStyle(7);
    EXPECT_EQ(selectedPen(surface.dc()).lopnStyle, static_cast<UINT>(PS_SOLID));
}

TEST(DrawContextState, OutOfRangeFontIdSelectsTwelvePixelBoldArial) {
    MemorySurface surface(8, 8, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFont(9, 0);
    const LOGFONTA font = selectedFont(surface.dc());
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(context.getFontSize(), 12);
}

TEST(DrawContextState, ExplicitFontSizeOverridesTheTableAndOldFontIsDeleted) {
    MemorySurface surface(8, 8, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFont(kFontNormal, 20);
    HFONT first = context.getObjects().font;
    LOGFONTA font = selectedFont(surface.dc());
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(context.getFontSize(), 20);

    context.setFont(kFontSymbol);
    font = selectedFont(surface.dc());
    EXPECT_STREQ(font.lfFaceName, "Symbol");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH | FF_DECORATIVE);
    EXPECT_EQ(GetObjectType(first), 0u);
}

TEST(DrawContextShapes, FillThenOutlineCoverTheClosedRectangleWithoutOverlap) {
    const Rect r(5, 4, 14, 11);
    MemorySurface filled(20, 16, kGrey);
    MemorySurface outlined(20, 16, kGrey);
    MemorySurface both(20, 16, kGrey);
    {
        DrawContext fill(nullptr, filled.dc(), nullptr);
        fill.setFillColor(kRedColor);
        fill.fillRect(r);
        DrawContext outline(nullptr, outlined.dc(), nullptr);
        outline.setFrameColor(kBlueColor);
        outline.drawRect(r);
        DrawContext combined(nullptr, both.dc(), nullptr);
        combined.setFillColor(kRedColor);
        combined.setFrameColor(kBlueColor);
        combined.fillRect(r);
        combined.drawRect(r);
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            const COLORREF inside = strictlyInside(x, y, r) ? rgb(kRedColor) : kGrey;
            const COLORREF border = onBorder(x, y, r) ? rgb(kBlueColor) : kGrey;
            ASSERT_EQ(filled.pixel(x, y), inside);
            ASSERT_EQ(outlined.pixel(x, y), border);
            ASSERT_EQ(both.pixel(x, y), onBorder(x, y, r) ? rgb(kBlueColor) : inside);
        }
    }
}

TEST(DrawContextShapes, DrawRectLeavesTheCurrentPositionAtTheTopLeft) {
    MemorySurface surface(20, 16, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.drawRect(Rect(3, 2, 12, 9));
    POINT position{};
    GetCurrentPositionEx(surface.dc(), &position);
    EXPECT_EQ(position.x, 3);
    EXPECT_EQ(position.y, 2);
}

TEST(DrawContextShapes, EllipseOutlineReachesAllFourEdgesInclusive) {
    const Rect r(4, 3, 24, 17);
    MemorySurface surface(30, 22, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.drawEllipse(r);
    const Rect ink = surface.inkBounds();
    EXPECT_EQ(ink.left, r.left);
    EXPECT_EQ(ink.top, r.top);
    EXPECT_EQ(ink.right, r.right);
    EXPECT_EQ(ink.bottom, r.bottom);
    EXPECT_EQ(surface.pixel(4 + 20 / 2, 3), rgb(kWhiteColor));
}

TEST(DrawContextShapes, FilledEllipseStaysInsideTheOutline) {
    const Rect r(4, 3, 24, 17);
    MemorySurface surface(30, 22, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFillColor(kGreenColor);
    context.setFrameColor(kBlueColor);
    context.fillEllipse(r);
    const std::vector<POINT> ink = surface.inked();
    ASSERT_FALSE(ink.empty());
    for (const POINT& p : ink) {
        EXPECT_TRUE(strictlyInside(p.x, p.y, r)) << p.x << "," << p.y;
        EXPECT_EQ(surface.pixel(p.x, p.y), rgb(kGreenColor));
    }
    EXPECT_EQ(surface.pixel(14, 10), rgb(kGreenColor));
}

TEST(DrawContextShapes, PieFillsOnlyItsWedgeInsideTheOutline) {
    const Rect r(0, 0, 20, 20);
    MemorySurface surface(24, 24, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFillColor(kYellowColor);
    context.setFrameColor(kBlueColor);
    // Counter-clockwise from three o'clock to twelve: the upper right quarter.
    context.fillPie(r, Point(20, 10), Point(10, 0));
    const std::vector<POINT> ink = surface.inked();
    ASSERT_FALSE(ink.empty());
    for (const POINT& p : ink) {
        EXPECT_TRUE(strictlyInside(p.x, p.y, r)) << p.x << "," << p.y;
        EXPECT_GE(p.x, 9);
        EXPECT_LE(p.y, 11);
        EXPECT_EQ(surface.pixel(p.x, p.y), rgb(kYellowColor));
    }
    EXPECT_EQ(surface.pixel(14, 6), rgb(kYellowColor));
}

TEST(DrawContextShapes, PolygonIsFilledWithoutOutline) {
    MemorySurface surface(20, 20, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFillColor(kRedColor);
    context.setFrameColor(kBlueColor);
    const Point triangle[] = {Point(2, 2), Point(17, 2), Point(2, 17)};
    context.polygon(triangle, 3);
    const std::vector<POINT> ink = surface.inked();
    ASSERT_FALSE(ink.empty());
    for (const POINT& p : ink) EXPECT_EQ(surface.pixel(p.x, p.y), rgb(kRedColor));
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), context.getObjects().pen);
}

TEST(DrawContextShapes, DottedLinesLeaveGapsAndSolidLinesDoNot) {
    MemorySurface solid(40, 4, kGrey);
    MemorySurface dotted(40, 4, kGrey);
    {
        DrawContext a(nullptr, solid.dc(), nullptr);
        const Point line[] = {Point(0, 1), Point(39, 1)};
        a.polyLine(line, 2);
        DrawContext b(nullptr, dotted.dc(), nullptr);
        b.setLineStyle(kLineDotted);
        b.moveTo(Point(0, 1));
        b.lineTo(Point(39, 1));
    }
    EXPECT_EQ(solid.inked().size(), 39u);  // the end pixel is the platform's to leave out
    EXPECT_GT(dotted.inked().size(), 5u);
    EXPECT_LT(dotted.inked().size(), 35u);
}

TEST(DrawContextShapes, DrawPointSetsOnePixelOfItsColour) {
    MemorySurface surface(6, 6, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.drawPoint(Point(3, 2), Color{9, 8, 7, 200});
    ASSERT_EQ(surface.inked().size(), 1u);
    EXPECT_EQ(surface.pixel(3, 2), RGB(9, 8, 7));
}

TEST(DrawContextShapes, EmptyOrMissingPointListsDrawNothing) {
    MemorySurface surface(6, 6, kGrey);
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.polyLine(nullptr, 4);
    context.polygon(nullptr, 3);
    const Point one[] = {Point(1, 1)};
    context.polygon(one, 0);
    EXPECT_TRUE(surface.inked().empty());
}
