// A drawable on one X connection with what drawing on it needs. A frame's
// window has one for its life (so drawing contexts may hold it while the
// window dies under them); an offscreen context has one for its pixmap.
#pragma once

#include <X11/Xlib.h>

#include "gui/Color.h"

class X11Connection;

struct X11Surface {
    X11Connection* connection = nullptr;
    Display* display = nullptr;
    Drawable drawable = 0;
    Visual* visual = nullptr;
    Colormap colormap = 0;
    int depth = 0;
    bool isWindow = false;
};

// The surface for a drawable of the default screen's visual.
X11Surface defaultSurface(X11Connection& connection, Drawable drawable, bool isWindow);

// A colour as a pixel of the surface's true-colour visual.
unsigned long pixelOf(const X11Surface& surface, Color color);
