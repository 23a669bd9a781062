// The frame's child window on X11: its own connection, a window inside the
// host's, and the events handled when the editor idles. Exposure repaints
// the whole editor and presses of the left and right buttons go to the
// frame, as the Win32 window procedure does; a drag's loop then follows the
// pointer by querying it.
#include <chrono>
#include <cstdint>
#include <new>
#include <thread>

#include "gui/FrameDrawContext.h"
#include "gui/x11/X11Connection.h"
#include "gui/x11/X11Surface.h"

struct Frame::Platform {
    static void dispatch(Frame& frame, XEvent& event);
    static void paint(Frame& frame);
    static void click(Frame& frame, const XButtonEvent& press);
    static void windowDestroyed(Frame& frame);
};

namespace {

constexpr long kFrameEvents =
    ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;

int32_t framesWithWindows = 0;

unsigned int side(int32_t length) { return length > 0 ? static_cast<unsigned int>(length) : 1u; }

Window asWindow(void* hostWindow) { return static_cast<Window>(reinterpret_cast<uintptr_t>(hostWindow)); }

}  // namespace

const char* Frame::getClassName() { return ""; }

int32_t Frame::getClassUseCount() { return framesWithWindows; }

// A parent the host gave us that is no window leaves the frame without one;
// the connection stays till the frame goes, like every other resource.
void Frame::createWindow() {
    X11Connection* connection = X11Connection::open();
    if (!connection) return;
    windowState.connection = connection;
    Display* display = connection->display();
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None;  // no clearing before an exposure: we paint all of it
    attributes.border_pixel = 0;
    attributes.colormap = DefaultColormap(display, screen);
    attributes.event_mask = kFrameEvents;
    const int errorsBefore = connection->errorCount();
    const Window created = XCreateWindow(display, asWindow(parentWindow), 0, 0, side(size.width()),
                                         side(size.height()), 0, DefaultDepth(display, screen), InputOutput,
                                         DefaultVisual(display, screen),
                                         CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
    XMapWindow(display, created);
    connection->sync();
    if (connection->errorCount() != errorsBefore) return;
    windowState.surface = new (std::nothrow) X11Surface(defaultSurface(*connection, created, true));
    if (!windowState.surface) {
        XDestroyWindow(display, created);
        return;
    }
    window = windowState.surface;
    ++framesWithWindows;
}

void Frame::destroyWindow() {
    X11Connection* connection = windowState.connection;
    if (!connection) return;
    if (windowState.surface) {
        if (window) XDestroyWindow(connection->display(), window->drawable);
        delete windowState.surface;
        --framesWithWindows;
    }
    window = nullptr;
    windowState = FrameWindowState{};
    delete connection;  // its windows, pixmaps and GCs go with it
}

void Frame::hideWindow() {
    XUnmapWindow(window->display, window->drawable);
    XFlush(window->display);
}

X11Surface* Frame::acquireWindowContext() { return window; }

// Another client (the host taking a picture) sees the pass once we know the
// server has done it.
void Frame::releaseWindowContext(X11Surface* context) {
    if (context && context->connection) context->connection->sync();
}

// Not from inside one of the frame's own handlers: a drag's loop calls the
// editor's idle, and a press handled there would start a drag inside a drag.
void Frame::handleEvents() {
    X11Connection* connection = windowState.connection;
    if (!connection || handlerDepth > 0) return;
    Display* display = connection->display();
    if (!XPending(display)) return;
    HandlerScope busy(*this);
    while (!closing && XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        Platform::dispatch(*this, event);
    }
}

// Pointer motion that queued up says nothing the next pointer query will
// not; dropping it lets the wait sleep until something new arrives.
void Frame::waitForInput(uint32_t milliseconds) const {
    X11Connection* connection = windowState.connection;
    if (!connection || !window) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    XEvent motion;
    while (XCheckTypedWindowEvent(connection->display(), window->drawable, MotionNotify, &motion)) {
    }
    connection->waitForEvents(milliseconds);
}

void Frame::Platform::dispatch(Frame& frame, XEvent& event) {
    if (X11EventTarget* target = frame.windowState.connection->targetOf(event.xany.window)) {
        target->handleEvent(event);
        return;
    }
    const X11Surface* surface = frame.windowState.surface;
    if (!surface || event.xany.window != surface->drawable) return;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0 && frame.window) paint(frame);
        break;
    case ButtonPress:
        if (event.xbutton.button == Button1 || event.xbutton.button == Button3) click(frame, event.xbutton);
        break;
    case DestroyNotify:
        windowDestroyed(frame);
        break;
    default:
        break;
    }
}

void Frame::Platform::paint(Frame& frame) {
    FrameDrawContext context(frame);
    frame.draw(context);  // the whole editor, whatever was exposed
}

void Frame::Platform::click(Frame& frame, const XButtonEvent& press) {
    if (frame.closing || !frame.window) return;
    FrameDrawContext context(frame);
    frame.click(context, Point(press.x, press.y));
}

// The host destroyed its window, and ours with it: nothing is sent to the
// window again, and the surface stays for whoever still holds it.
void Frame::Platform::windowDestroyed(Frame& frame) {
    frame.isOpen = false;
    frame.parentWindow = nullptr;
    frame.window = nullptr;
}

bool Frame::setSize(int32_t width, int32_t height) {
    if (!isOpen || (width == size.width() && height == size.height())) return false;
    size.right = size.left + width;
    size.bottom = size.top + height;
    // The host sizes its own windows (audioMasterSizeWindow); ours follows.
    if (window) {
        XResizeWindow(window->display, window->drawable, side(width), side(height));
        XFlush(window->display);
    }
    return true;
}

namespace {

// The window's place in its parent and its size; false when it cannot be read.
bool geometryOf(Display* display, Window window, Rect& placed) {
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth)) return false;
    placed = Rect(x, y, x + static_cast<int32_t>(width), y + static_cast<int32_t>(height));
    return true;
}

}  // namespace

bool Frame::getPosition(int32_t& x, int32_t& y) const {
    if (!isOpen || !window) return false;
    Rect placed;
    if (!geometryOf(window->display, asWindow(parentWindow), placed)) return false;
    x = placed.left;
    y = placed.top;
    return true;
}

bool Frame::getSize(Rect& rect) const {
    if (!isOpen || !window) return false;
    return geometryOf(window->display, asWindow(parentWindow), rect);
}
