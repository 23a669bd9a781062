// The drawing context on X11: a GC of its own on the surface's drawable for
// lines and fills, Xft for text, and the pointer query for input. Lines
// leave out their last pixel, as on Win32.
#include <cmath>
#include <cstring>

#include "gui/DrawContext.h"
#include "gui/x11/X11Surface.h"
#include "gui/x11/XftFonts.h"

namespace {

constexpr int kFullCircle = 360 * 64;  // X arc angles are 64ths of a degree
constexpr double kDegreesPerRadian = 57.29577951308232;

XPoint toXPoint(Point p) { return XPoint{static_cast<short>(p.h), static_cast<short>(p.v)}; }

// The direction of p from the centre of r, counter-clockwise from 3 o'clock,
// in degrees.
double angleOf(const Rect& r, Point p) {
    const double dx = p.h - (r.left + r.right) / 2.0;
    const double dy = (r.top + r.bottom) / 2.0 - p.v;
    return std::atan2(dy, dx) * kDegreesPerRadian;
}

// From start counter-clockwise to end, as GDI's arcs go; the same point twice
// is the whole ellipse.
void arcAngles(const Rect& r, Point start, Point end, int& from, int& extent) {
    const double first = angleOf(r, start);
    double sweep = angleOf(r, end) - first;
    if (sweep <= 0.0) sweep += 360.0;
    from = static_cast<int>(std::lround(first * 64.0));
    extent = static_cast<int>(std::lround(sweep * 64.0));
}

unsigned int side(int32_t length) { return length > 0 ? static_cast<unsigned int>(length) : 0u; }

// Made with the first setting or drawing: an offscreen context gets its
// surface only after its base is built.
GC gcFor(DrawingObjects& objects, const X11Surface* surface) {
    if (!objects.gc && surface) objects.gc = XCreateGC(surface->display, surface->drawable, 0, nullptr);
    return objects.gc;
}

struct PointerReading {
    bool onWindow = false;
    Point where;
    unsigned int mask = 0;
};

// Relative to the window where there is one, else to the screen.
bool readPointer(const X11Surface* target, PointerReading& reading) {
    if (!target) return false;
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    reading.onWindow = target->isWindow;
    const Window queried = reading.onWindow ? target->drawable : DefaultRootWindow(target->display);
    if (!XQueryPointer(target->display, queried, &root, &child, &rootX, &rootY, &x, &y, &reading.mask)) return false;
    reading.where = reading.onWindow ? Point(x, y) : Point(rootX, rootY);
    return true;
}

}  // namespace

DrawContext::DrawContext(Frame* owner, X11Surface* surface, X11Surface* targetWindow)
    : systemContext(surface), window(targetWindow), frame(owner) {
    if (!systemContext) return;
    setFrameColor(frameColor);
    setLineStyle(lineStyle);
    setFillColor(fillColor);
    setFontColor(fontColor);
}

void DrawContext::releaseObjects() {
    if (!systemContext) return;
    Display* display = systemContext->display;
    if (objects.text) XftDrawDestroy(objects.text);
    if (objects.font) XftFontClose(display, objects.font);
    if (objects.gc) XFreeGC(display, objects.gc);
    objects = DrawingObjects{};
}

void DrawContext::rebuildPen() {
    if (!gcFor(objects, systemContext)) return;
    Display* display = systemContext->display;
    const bool dotted = lineStyle == kLineDotted;
    const int width = frameWidth > 1 ? frameWidth : 0;  // 0: the thin line GDI draws for width 1
    XSetLineAttributes(display, objects.gc, static_cast<unsigned int>(width), dotted ? LineOnOffDash : LineSolid,
                       CapNotLast, JoinMiter);
    if (dotted) {
        static const char kDots[] = {1, 1};
        XSetDashes(display, objects.gc, 0, kDots, 2);
    }
}

// Fills and lines set their colour when they draw.
void DrawContext::applyFillColor() {}

void DrawContext::applyFontColor() {}

void DrawContext::applyFont(const FontEntry& entry) {
    if (!systemContext) return;
    XftFont* created = openFont(systemContext->display, entry, fontSize, entry.weight);
    if (!created) return;
    if (objects.font) XftFontClose(systemContext->display, objects.font);
    objects.font = created;
}

namespace {

class Pen {
public:
    Pen(X11Surface* surface, GC gc, Color color) : display(surface ? surface->display : nullptr), context(gc) {
        if (display && gc) XSetForeground(display, gc, pixelOf(*surface, color));
    }
    bool ready() const { return display && context; }

    Display* display;
    GC context;
};

}  // namespace

void DrawContext::moveTo(Point p) { objects.current = p; }

void DrawContext::lineTo(Point p) {
    Pen pen(systemContext, gcFor(objects, systemContext), frameColor);
    if (pen.ready()) {
        XDrawLine(pen.display, systemContext->drawable, pen.context, objects.current.h, objects.current.v, p.h, p.v);
    }
    objects.current = p;
}

void DrawContext::polyLine(const Point* points, int32_t count) {
    Pen pen(systemContext, gcFor(objects, systemContext), frameColor);
    if (!points || count <= 0 || !pen.ready()) return;
    XPoint corners[64];
    for (int32_t first = 0; first < count - 1; first += 63) {
        const int32_t n = count - first < 64 ? count - first : 64;
        for (int32_t i = 0; i < n; ++i) corners[i] = toXPoint(points[first + i]);
        XDrawLines(pen.display, systemContext->drawable, pen.context, corners, n, CoordModeOrigin);
    }
}

void DrawContext::polygon(const Point* points, int32_t count) {
    Pen brush(systemContext, gcFor(objects, systemContext), fillColor);
    if (!points || count <= 0 || !brush.ready()) return;
    constexpr int32_t kMostCorners = 1024;
    XPoint corners[kMostCorners];
    const int32_t n = count < kMostCorners ? count : kMostCorners;
    for (int32_t i = 0; i < n; ++i) corners[i] = toXPoint(points[i]);
    XFillPolygon(brush.display, systemContext->drawable, brush.context, corners, n, Complex, CoordModeOrigin);
}

void DrawContext::drawRect(const Rect& r) {
    moveTo(Point(r.left, r.top));
    lineTo(Point(r.right, r.top));
    lineTo(Point(r.right, r.bottom));
    lineTo(Point(r.left, r.bottom));
    lineTo(Point(r.left, r.top));
}

void DrawContext::fillRect(const Rect& r) {
    Pen brush(systemContext, gcFor(objects, systemContext), fillColor);
    if (!brush.ready() || r.width() <= 1 || r.height() <= 1) return;
    XFillRectangle(brush.display, systemContext->drawable, brush.context, r.left + 1, r.top + 1, side(r.width() - 1),
                   side(r.height() - 1));
}

void DrawContext::drawEllipse(const Rect& r) {
    Pen pen(systemContext, gcFor(objects, systemContext), frameColor);
    if (!pen.ready()) return;
    XDrawArc(pen.display, systemContext->drawable, pen.context, r.left, r.top, side(r.width()), side(r.height()), 0,
             kFullCircle);
}

void DrawContext::fillEllipse(const Rect& r) {
    Pen brush(systemContext, gcFor(objects, systemContext), fillColor);
    if (!brush.ready()) return;
    XFillArc(brush.display, systemContext->drawable, brush.context, r.left + 1, r.top + 1, side(r.width() - 1),
             side(r.height() - 1), 0, kFullCircle);
}

void DrawContext::drawArc(const Rect& r, Point start, Point end) {
    Pen pen(systemContext, gcFor(objects, systemContext), frameColor);
    if (!pen.ready()) return;
    int from = 0;
    int extent = 0;
    arcAngles(r, start, end, from, extent);
    XDrawArc(pen.display, systemContext->drawable, pen.context, r.left, r.top, side(r.width()), side(r.height()), from,
             extent);
}

void DrawContext::fillPie(const Rect& r, Point start, Point end) {
    Pen brush(systemContext, gcFor(objects, systemContext), fillColor);
    if (!brush.ready()) return;
    int from = 0;
    int extent = 0;
    arcAngles(r, start, end, from, extent);
    XSetArcMode(brush.display, brush.context, ArcPieSlice);
    XFillArc(brush.display, systemContext->drawable, brush.context, r.left + 1, r.top + 1, side(r.width() - 1),
             side(r.height() - 1), from, extent);
}

void DrawContext::drawPoint(Point p, Color color) {
    Pen pen(systemContext, gcFor(objects, systemContext), color);
    if (pen.ready()) XDrawPoint(pen.display, systemContext->drawable, pen.context, p.h, p.v);
}

// One line, centred vertically in r and clipped to it, like DrawText's
// single-line format; the text is Latin-1, byte for character.
void DrawContext::drawString(const char* text, const Rect& r, int16_t opaque, int32_t align) {
    if (!text || !gcFor(objects, systemContext)) return;
    Display* display = systemContext->display;
    if (!objects.font) applyFont(fontEntry(kFontTitle));
    if (!objects.font) return;
    if (!objects.text) {
        objects.text = XftDrawCreate(display, systemContext->drawable, systemContext->visual, systemContext->colormap);
    }
    if (!objects.text) return;
    const auto* bytes = reinterpret_cast<const FcChar8*>(text);
    const int length = static_cast<int>(std::strlen(text));
    XGlyphInfo extents{};
    XftTextExtents8(display, objects.font, bytes, length, &extents);
    const int lineHeight = objects.font->ascent + objects.font->descent;
    int x = r.left + 1;
    if (align == kAlignCenter) {
        x = r.left + (r.width() - extents.xOff) / 2;
    } else if (align == kAlignRight) {
        x = r.right - extents.xOff;
    }
    const int top = r.top + (r.height() - lineHeight) / 2;
    XRectangle clip{static_cast<short>(r.left), static_cast<short>(r.top), static_cast<unsigned short>(side(r.width())),
                    static_cast<unsigned short>(side(r.height()))};
    XftDrawSetClipRectangles(objects.text, 0, 0, &clip, 1);
    if (opaque) {
        const XftColor back = xftColor(pixelOf(*systemContext, fillColor), fillColor);
        XftDrawRect(objects.text, &back, x, top, side(extents.xOff), side(lineHeight));
    }
    const XftColor ink = xftColor(pixelOf(*systemContext, fontColor), fontColor);
    XftDrawString8(objects.text, &ink, objects.font, x, top + objects.font->ascent, bytes, length);
    XftDrawSetClip(objects.text, nullptr);
}

int32_t DrawContext::getMouseButtons() const {
    PointerReading reading;
    if (!readPointer(window ? window : systemContext, reading)) return 0;
    int32_t state = 0;
    if (reading.mask & Button1Mask) state |= kLeftButton;
    if (reading.mask & Button2Mask) state |= kMiddleButton;
    if (reading.mask & Button3Mask) state |= kRightButton;
    if (reading.mask & ShiftMask) state |= kShiftKey;
    if (reading.mask & ControlMask) state |= kControlKey;
    if (reading.mask & Mod1Mask) state |= kAltKey;
    return state;
}

void DrawContext::getMouseLocation(Point& p) const {
    PointerReading reading;
    if (readPointer(window ? window : systemContext, reading)) p = reading.where;
}
