// A drawing context on a frame's child window for drawing outside the
// platform's paint handling (an idle pass, a redraw after an edit). The
// window's surface is taken before the context is built and given back
// after it is gone.
#pragma once

#include "gui/DrawContext.h"
#include "gui/Frame.h"

class WindowSurfaceHold {
protected:
    explicit WindowSurfaceHold(Frame& drawn) : frame(drawn), surface(drawn.acquireWindowContext()) {}
    ~WindowSurfaceHold() { frame.releaseWindowContext(surface); }
    WindowSurfaceHold(const WindowSurfaceHold&) = delete;
    WindowSurfaceHold& operator=(const WindowSurfaceHold&) = delete;

    Frame& frame;
    SystemContext surface;
};

class FrameDrawContext : private WindowSurfaceHold, public DrawContext {
public:
    // The frame must have a window.
    explicit FrameDrawContext(Frame& drawn)
        : WindowSurfaceHold(drawn), DrawContext(&drawn, surface, drawn.getWindow()) {}
};
