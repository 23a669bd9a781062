#include "gui/x11/X11Surface.h"

#include "gui/x11/X11Connection.h"

namespace {

// The colour channel scaled into the visual's mask for it.
unsigned long channel(uint8_t value, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    int bits = 0;
    while ((mask >> (shift + bits)) & 1u) ++bits;
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                           : static_cast<unsigned long>(value) >> (8 - bits);
    return (scaled << shift) & mask;
}

}  // namespace

X11Surface defaultSurface(X11Connection& connection, Drawable drawable, bool isWindow) {
    Display* display = connection.display();
    const int screen = DefaultScreen(display);
    X11Surface surface;
    surface.connection = &connection;
    surface.display = display;
    surface.drawable = drawable;
    surface.visual = DefaultVisual(display, screen);
    surface.colormap = DefaultColormap(display, screen);
    surface.depth = DefaultDepth(display, screen);
    surface.isWindow = isWindow;
    return surface;
}

unsigned long pixelOf(const X11Surface& surface, Color color) {
    const Visual* visual = surface.visual;
    if (!visual) return 0;
    return channel(color.red, visual->red_mask) | channel(color.green, visual->green_mask) |
           channel(color.blue, visual->blue_mask);
}
