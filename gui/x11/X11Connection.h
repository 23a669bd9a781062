// One editor's own connection to the X server, used only on the GUI thread
// that opened it. Errors on it (a host that destroys our parent window
// makes every later request fail) are counted here instead of ending the
// process; errors on other connections go to the handler that was there
// before the first of ours opened, which is put back when the last closes.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

// Something with windows on a connection that handles their events itself
// (a text entry over a frame).
class X11EventTarget {
public:
    virtual void handleEvent(XEvent& event) = 0;

protected:
    ~X11EventTarget() = default;
};

class X11Connection {
public:
    // Null when no X server can be reached.
    static X11Connection* open();
    // Closes the connection: every window, pixmap and GC of it goes with it.
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return connectionDisplay; }
    int errorCount() const { return errors; }
    // Round trip: every request so far is done, its errors counted.
    void sync() const { XSync(connectionDisplay, False); }
    // Sleeps until the server sends something, or at most this long.
    void waitForEvents(uint32_t milliseconds) const;

    // One target per window; windows without one are the frame's.
    bool addTarget(Window window, X11EventTarget* target);
    void removeTarget(Window window);
    X11EventTarget* targetOf(Window window) const;

    // How many of our connections are open in this process, and whether
    // our error handler is installed (both for tests).
    static int openCount();
    static bool handlerInstalled();

private:
    explicit X11Connection(Display* opened) : connectionDisplay(opened) {}
    static int handleError(Display* display, XErrorEvent* error);

    static constexpr int kMostTargets = 4;
    Display* connectionDisplay;
    int errors = 0;
    Window targetWindows[kMostTargets] = {};
    X11EventTarget* targets[kMostTargets] = {};
};
