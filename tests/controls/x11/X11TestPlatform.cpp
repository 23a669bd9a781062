#include "x11/X11TestPlatform.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "X11TestDisplay.h"
#include "gui/x11/X11Connection.h"
#include "gui/x11/X11Surface.h"

const TestKey kAltKeyCode = XK_Alt_L;
const TestKey kShiftKeyCode = XK_Shift_L;
const TestKey kControlKeyCode = XK_Control_L;

X11Connection& testConnection() {
    static X11Connection* connection = X11Connection::open();
    return *connection;
}

Display* testDisplay() { return testConnection().display(); }

namespace {

uint32_t asColourRef(unsigned long pixel) {
    return colourRef(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                     static_cast<int>(pixel & 0xFF));
}

}  // namespace

std::vector<uint32_t> pixelsOfDrawable(unsigned long drawable, int x, int y, int width, int height) {
    Display* display = testDisplay();
    XSync(display, False);
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display, drawable, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) pixels.push_back(asColourRef(XGetPixel(image, column, row)));
    }
    XDestroyImage(image);
    return pixels;
}

uint32_t pixelOfDrawable(unsigned long drawable, int x, int y) {
    const std::vector<uint32_t> one = pixelsOfDrawable(drawable, x, y, 1, 1);
    return one.empty() ? 0xFFFFFFFFu : one[0];
}

uintptr_t windowId(SystemWindow window) { return window ? window->drawable : 0; }

bool windowExists(uintptr_t window) {
    X11Connection& connection = testConnection();
    const int errorsBefore = connection.errorCount();
    XWindowAttributes attributes{};
    const Status found = XGetWindowAttributes(connection.display(), static_cast<Window>(window), &attributes);
    connection.sync();
    return found != 0 && connection.errorCount() == errorsBefore;
}

void waitTicks(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

MemorySurface::MemorySurface(int width, int height, uint32_t fill) : w(width), h(height), fillColour(fill) {
    X11Connection& connection = testConnection();
    Display* display = connection.display();
    const Window root = DefaultRootWindow(display);
    const Pixmap pixmap = XCreatePixmap(display, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                        static_cast<unsigned>(DefaultDepth(display, DefaultScreen(display))));
    surface = new X11Surface(defaultSurface(connection, pixmap, false));
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    const Color colour{static_cast<uint8_t>(fill & 0xFF), static_cast<uint8_t>((fill >> 8) & 0xFF),
                       static_cast<uint8_t>((fill >> 16) & 0xFF), 0};
    XSetForeground(display, gc, pixelOf(*surface, colour));
    XFillRectangle(display, pixmap, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFreeGC(display, gc);
}

MemorySurface::~MemorySurface() {
    XFreePixmap(surface->display, surface->drawable);
    delete surface;
}

std::vector<uint32_t> MemorySurface::allPixels() const { return pixelsOfDrawable(surface->drawable, 0, 0, w, h); }

uint32_t MemorySurface::pixel(int x, int y) const { return pixelOfDrawable(surface->drawable, x, y); }

std::vector<Point> MemorySurface::inked() const {
    const std::vector<uint32_t> pixels = allPixels();
    std::vector<Point> points;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (pixels[static_cast<size_t>(y * w + x)] != fillColour) points.emplace_back(x, y);
        }
    }
    return points;
}

Rect MemorySurface::inkBounds() const {
    Rect bounds(w, h, -1, -1);
    for (const Point& p : inked()) {
        bounds.left = std::min(bounds.left, p.h);
        bounds.top = std::min(bounds.top, p.v);
        bounds.right = std::max(bounds.right, p.h);
        bounds.bottom = std::max(bounds.bottom, p.v);
    }
    return bounds;
}

bool MemorySurface::samePixels(const MemorySurface& other) const {
    return w == other.w && h == other.h && allPixels() == other.allPixels();
}
