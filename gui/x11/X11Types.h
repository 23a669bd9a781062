// The toolkit's handles on X11. A surface is a drawable on one connection
// with what drawing on it needs; a frame's window is one, an offscreen
// pixmap another. Pictures live in the client, so they serve any connection.
#pragma once

#include "gui/Geometry.h"

struct X11Surface;
struct X11Picture;
class X11Connection;
struct _XftFont;
struct _XftDraw;
struct _XGC;

using SystemContext = X11Surface*;
using SystemWindow = X11Surface*;
// Pictures are compiled into the program or plug-in; there is no module.
using SystemModule = void*;
using SystemPicture = X11Picture*;

// The graphics context, font and text drawing a drawing context made.
struct DrawingObjects {
    _XGC* gc = nullptr;
    _XftFont* font = nullptr;
    _XftDraw* text = nullptr;
    Point current;  // the pen's position for lineTo
};

// The frame's connection and its window's surface, owned by the frame: one
// connection per editor, on the GUI thread. The surface outlives the window
// when the host destroys it first, as drawing contexts may hold it.
struct FrameWindowState {
    X11Connection* connection = nullptr;
    X11Surface* surface = nullptr;
};
