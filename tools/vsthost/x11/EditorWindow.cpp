// The editor's window on Linux: a top-level X11 window of the editor's size
// on a connection of the host's own, its id handed to the editor; the
// picture is read back from the editor's child window.
#include "tools/vsthost/EditorWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tools/vsthost/HostCallback.h"

namespace vsthost {
namespace {

constexpr uint32_t kIdleInterval = 33;  // milliseconds: about 30 idle calls a second
constexpr int kFallbackSize = 400;

Display* asDisplay(void* display) { return static_cast<Display*>(display); }

uint32_t nowMilliseconds() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The window manager's close button, where there is a window manager.
bool isCloseRequest(Display* display, const XEvent& event) {
    return event.type == ClientMessage &&
           static_cast<Atom>(event.xclient.data.l[0]) == XInternAtom(display, "WM_DELETE_WINDOW", False);
}

// The first child of window, or window itself when it has none.
Window editorChild(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = window;
    if (XQueryTree(display, window, &root, &parent, &children, &count) && count > 0) found = children[0];
    if (children) XFree(children);
    return found;
}

uint8_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1u)) ++shift;
    return static_cast<uint8_t>((pixel & mask) >> shift);
}

}  // namespace

void EditorWindow::fitClientArea(int w, int h) {
    XResizeWindow(asDisplay(display), static_cast<Window>(window), static_cast<unsigned>(w), static_cast<unsigned>(h));
    XFlush(asDisplay(display));
    clientWidth = w;
    clientHeight = h;
}

namespace {

// An X server that has just closed a connection now and then hangs up on the
// next one before it is set up; a few short retries ride that out.
Display* connectToServer() {
    constexpr int kAttempts = 5;
    Display* connection = XOpenDisplay(nullptr);
    for (int attempt = 1; connection == nullptr && attempt < kAttempts; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        connection = XOpenDisplay(nullptr);
    }
    return connection;
}

}  // namespace

std::string EditorWindow::open(const std::string& title) {
    Display* connection = connectToServer();
    if (connection == nullptr) return "cannot open a window: no X display (is DISPLAY set?)";
    display = connection;
    int w = kFallbackSize;
    int h = kFallbackSize;
    editorRect(w, h);  // some hosts ask before opening the editor, some after: ask both times
    const int screen = DefaultScreen(connection);
    const Window created = XCreateSimpleWindow(connection, RootWindow(connection, screen), 0, 0,
                                               static_cast<unsigned>(w), static_cast<unsigned>(h), 0, 0,
                                               BlackPixel(connection, screen));
    window = created;
    XStoreName(connection, created, title.c_str());
    Atom closeAtom = XInternAtom(connection, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(connection, created, &closeAtom, 1);
    XSelectInput(connection, created, StructureNotifyMask);
    XMapWindow(connection, created);
    XEvent event;
    do {
        XWindowEvent(connection, created, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    clientWidth = w;
    clientHeight = h;
    shown = this;
    hostState().sizeWindow = &EditorWindow::resizeFromPlugin;
    plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window));
    editorOpen = true;
    if (editorRect(w, h) && (w != clientWidth || h != clientHeight)) fitClientArea(w, h);
    return {};
}

bool EditorWindow::run(uint32_t milliseconds) {
    Display* connection = asDisplay(display);
    const uint32_t start = nowMilliseconds();
    uint32_t lastIdle = start - kIdleInterval;
    bool closed = false;
    while (!closed && nowMilliseconds() - start < milliseconds) {
        while (XPending(connection)) {
            XEvent event;
            XNextEvent(connection, &event);
            closed = closed || isCloseRequest(connection, event);
        }
        if (nowMilliseconds() - lastIdle >= kIdleInterval) {
            lastIdle = nowMilliseconds();
            plugin.dispatch(effEditIdle);
        }
        pollfd descriptor{ConnectionNumber(connection), POLLIN, 0};
        poll(&descriptor, 1, 5);
    }
    return !closed;
}

RgbImage EditorWindow::capture() {
    Display* connection = asDisplay(display);
    if (connection == nullptr || window == 0) return {};
    plugin.dispatch(effEditIdle);
    XSync(connection, False);
    const Window target = editorChild(connection, static_cast<Window>(window));
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(connection, target, &attributes) || attributes.width <= 0 || attributes.height <= 0) {
        return {};
    }
    XImage* shot = XGetImage(connection, target, 0, 0, static_cast<unsigned>(attributes.width),
                             static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (shot == nullptr) return {};
    RgbImage image(attributes.width, attributes.height);
    const Visual* visual = attributes.visual;
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            uint8_t* rgb = &image.pixels[(static_cast<size_t>(y) * static_cast<size_t>(attributes.width) + static_cast<size_t>(x)) * 3];
            rgb[0] = channel(pixel, visual->red_mask);
            rgb[1] = channel(pixel, visual->green_mask);
            rgb[2] = channel(pixel, visual->blue_mask);
        }
    }
    XDestroyImage(shot);
    return image;
}

void EditorWindow::close() {
    if (editorOpen) plugin.dispatch(effEditClose);
    editorOpen = false;
    hostState().sizeWindow = nullptr;
    shown = nullptr;
    Display* connection = asDisplay(display);
    if (connection != nullptr) {
        if (window != 0) XDestroyWindow(connection, static_cast<Window>(window));
        XCloseDisplay(connection);
    }
    window = 0;
    display = nullptr;
}

}  // namespace vsthost
