#include "gui/DrawContext.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace {

// Outline-free shapes: the stock null pen is selected for one call only.
class NullPenScope {
public:
    explicit NullPenScope(HDC dc) : context(dc), previous(SelectObject(dc, GetStockObject(NULL_PEN))) {}
    ~NullPenScope() {
        if (previous) SelectObject(context, previous);
    }
    NullPenScope(const NullPenScope&) = delete;
    NullPenScope& operator=(const NullPenScope&) = delete;

private:
    HDC context;
    HGDIOBJ previous;
};

// Point has POINT's layout, so arrays go to GDI as they are.
static_assert(std::is_standard_layout_v<Point> && sizeof(Point) == sizeof(POINT));
static_assert(offsetof(Point, h) == offsetof(POINT, x) && offsetof(Point, v) == offsetof(POINT, y));

const POINT* asPoints(const Point* points) { return reinterpret_cast<const POINT*>(points); }

bool isKeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

DrawContext::DrawContext(Frame* owner, HDC dc, HWND targetWindow)
    : systemContext(dc), window(targetWindow), frame(owner) {
    if (!systemContext) return;
    objects.savedBrush = GetCurrentObject(systemContext, OBJ_BRUSH);
    objects.savedPen = GetCurrentObject(systemContext, OBJ_PEN);
    objects.savedFont = GetCurrentObject(systemContext, OBJ_FONT);
    SetBkMode(systemContext, TRANSPARENT);
    setFrameColor(frameColor);
    setLineStyle(lineStyle);
    setFillColor(fillColor);
    setFontColor(fontColor);
}

void DrawContext::releaseObjects() {
    if (objects.savedBrush) SelectObject(systemContext, objects.savedBrush);
    if (objects.savedPen) SelectObject(systemContext, objects.savedPen);
    if (objects.savedFont) SelectObject(systemContext, objects.savedFont);
    if (objects.brush) DeleteObject(objects.brush);
    if (objects.pen) DeleteObject(objects.pen);
    if (objects.font) DeleteObject(objects.font);
}

void DrawContext::applyFillColor() {
    SetBkColor(systemContext, fillColor.toColorRef());
    const LOGBRUSH description{BS_SOLID, fillColor.toColorRef(), 0};
    HBRUSH created = CreateBrushIndirect(&description);
    if (!created) return;  // the previous brush stays in use
    SelectObject(systemContext, created);
    if (objects.brush) DeleteObject(objects.brush);
    objects.brush = created;
}

void DrawContext::applyFontColor() { SetTextColor(systemContext, fontColor.toColorRef()); }

void DrawContext::applyFont(const FontEntry& entry) {
    LOGFONTA description{};
    description.lfHeight = -fontSize;  // negative: character height, not cell height
    description.lfWeight = entry.weight;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = entry.pitchAndFamily;
    std::strncpy(description.lfFaceName, entry.faceName, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectA(&description);
    if (!created) return;
    SelectObject(systemContext, created);
    if (objects.font) DeleteObject(objects.font);
    objects.font = created;
}

void DrawContext::rebuildPen() {
    objects.penStyle = lineStyle == kLineDotted ? PS_DOT : PS_SOLID;
    const LOGPEN description{objects.penStyle, POINT{frameWidth, 0}, frameColor.toColorRef()};
    HPEN created = CreatePenIndirect(&description);
    if (!created) return;  // as with the brush: keep drawing with the old pen
    SelectObject(systemContext, created);
    if (objects.pen) DeleteObject(objects.pen);
    objects.pen = created;
}

void DrawContext::moveTo(Point p) { MoveToEx(systemContext, p.h, p.v, nullptr); }

void DrawContext::lineTo(Point p) { LineTo(systemContext, p.h, p.v); }

void DrawContext::polyLine(const Point* points, int32_t count) {
    if (!points || count <= 0) return;
    Polyline(systemContext, asPoints(points), count);
}

void DrawContext::polygon(const Point* points, int32_t count) {
    if (!points || count <= 0) return;
    NullPenScope noOutline(systemContext);
    Polygon(systemContext, asPoints(points), count);
}

void DrawContext::drawRect(const Rect& r) {
    MoveToEx(systemContext, r.left, r.top, nullptr);
    LineTo(systemContext, r.right, r.top);
    LineTo(systemContext, r.right, r.bottom);
    LineTo(systemContext, r.left, r.bottom);
    LineTo(systemContext, r.left, r.top);
}

void DrawContext::fillRect(const Rect& r) {
    const RECT inside{r.left + 1, r.top + 1, r.right, r.bottom};
    NullPenScope noOutline(systemContext);
    FillRect(systemContext, &inside, objects.brush);
}

void DrawContext::drawEllipse(const Rect& r) {
    const int32_t startX = r.left + r.width() / 2;
    Arc(systemContext, r.left, r.top, r.right + 1, r.bottom + 1, startX, r.top, startX, r.top);
}

void DrawContext::fillEllipse(const Rect& r) {
    NullPenScope noOutline(systemContext);
    Ellipse(systemContext, r.left + 1, r.top + 1, r.right, r.bottom);
}

void DrawContext::drawArc(const Rect& r, Point start, Point end) {
    Arc(systemContext, r.left, r.top, r.right + 1, r.bottom + 1, start.h, start.v, end.h, end.v);
}

void DrawContext::fillPie(const Rect& r, Point start, Point end) {
    NullPenScope noOutline(systemContext);
    Pie(systemContext, r.left + 1, r.top + 1, r.right, r.bottom, start.h, start.v, end.h, end.v);
}

void DrawContext::drawPoint(Point p, Color color) { SetPixel(systemContext, p.h, p.v, color.toColorRef()); }

void DrawContext::drawString(const char* text, const Rect& r, int16_t opaque, int32_t align) {
    if (!text) return;
    SetBkMode(systemContext, opaque ? OPAQUE : TRANSPARENT);
    RECT box{r.left, r.top, r.right, r.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (align == kAlignCenter) {
        format |= DT_CENTER;
    } else if (align == kAlignRight) {
        format |= DT_RIGHT;
    } else {
        format |= DT_LEFT;
        box.left += 1;
    }
    DrawTextA(systemContext, text, -1, &box, format);
    SetBkMode(systemContext, TRANSPARENT);
}

int32_t DrawContext::getMouseButtons() const {
    int32_t state = 0;
    if (isKeyDown(VK_LBUTTON)) state |= kLeftButton;
    if (isKeyDown(VK_MBUTTON)) state |= kMiddleButton;
    if (isKeyDown(VK_RBUTTON)) state |= kRightButton;
    if (isKeyDown(VK_SHIFT)) state |= kShiftKey;
    if (isKeyDown(VK_CONTROL)) state |= kControlKey;
    if (isKeyDown(VK_MENU)) state |= kAltKey;
    return state;
}

void DrawContext::getMouseLocation(Point& p) const {
    POINT where{0, 0};
    GetCursorPos(&where);
    MapWindowPoints(HWND_DESKTOP, window, &where, 1);
    p = Point(where.x, where.y);
}
