#include "gui/x11/X11Connection.h"

#include <X11/extensions/Xrender.h>
#include <poll.h>

#include <chrono>
#include <mutex>
#include <new>
#include <thread>

namespace {

// Editors may open and close on several GUI threads of one host; the list
// and the handler they share are kept under one lock, which the handler
// takes too: an error on one thread's connection may arrive while another
// thread closes its own. Nothing holding the lock makes an X request, so
// the handler, called from inside one, never waits on itself.
constexpr int kMostConnections = 64;
std::mutex registryLock;
X11Connection* openConnections[kMostConnections] = {};
int connectionCount = 0;
XErrorHandler previousHandler = nullptr;
bool installed = false;

// Xlib runs a connection's close hooks newest first. Xft registers its own
// before it asks for RENDER, so left alone RENDER's hook runs first and
// forgets the connection; Xft's then frees its cached fonts through RENDER,
// which records the closing connection again, with extension codes that die
// with it. The next connection at the same address inherits that record and
// sends requests with a stale opcode: the X server answers with errors, or
// never, and Xlib aborts or waits forever. Asking for RENDER first puts its
// hook behind Xft's.
void registerRenderBeforeXft(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    XRenderQueryExtension(display, &eventBase, &errorBase);
}

}  // namespace

// A server that has just closed a connection now and then hangs up on the
// next one before it is set up (Xvfb does, some 5% of quick reconnections);
// a few short retries ride that out.
X11Connection* X11Connection::open() {
    constexpr int kAttempts = 5;
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 1; !display && attempt < kAttempts; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        display = XOpenDisplay(nullptr);
    }
    if (!display) return nullptr;
    registerRenderBeforeXft(display);
    auto* connection = new (std::nothrow) X11Connection(display);
    std::lock_guard<std::mutex> hold(registryLock);
    if (!connection || connectionCount == kMostConnections) {
        delete connection;
        XCloseDisplay(display);
        return nullptr;
    }
    openConnections[connectionCount++] = connection;
    if (!installed) {
        previousHandler = XSetErrorHandler(&X11Connection::handleError);
        installed = true;
    }
    return connection;
}

X11Connection::~X11Connection() {
    XCloseDisplay(connectionDisplay);
    std::lock_guard<std::mutex> hold(registryLock);
    for (int i = 0; i < connectionCount; ++i) {
        if (openConnections[i] != this) continue;
        openConnections[i] = openConnections[--connectionCount];
        openConnections[connectionCount] = nullptr;
        break;
    }
    if (connectionCount > 0 || !installed) return;
    // Someone who replaced our handler after us keeps theirs.
    const XErrorHandler current = XSetErrorHandler(previousHandler);
    if (current != &X11Connection::handleError) XSetErrorHandler(current);
    installed = false;
}

int X11Connection::handleError(Display* display, XErrorEvent* error) {
    XErrorHandler passOn = nullptr;
    {
        std::lock_guard<std::mutex> hold(registryLock);
        for (int i = 0; i < connectionCount; ++i) {
            if (openConnections[i]->connectionDisplay == display) {
                ++openConnections[i]->errors;
                return 0;
            }
        }
        passOn = previousHandler;
    }
    return passOn ? passOn(display, error) : 0;
}

void X11Connection::waitForEvents(uint32_t milliseconds) const {
    pollfd descriptor{ConnectionNumber(connectionDisplay), POLLIN, 0};
    poll(&descriptor, 1, static_cast<int>(milliseconds));
}

bool X11Connection::addTarget(Window window, X11EventTarget* target) {
    for (int i = 0; i < kMostTargets; ++i) {
        if (targets[i]) continue;
        targetWindows[i] = window;
        targets[i] = target;
        return true;
    }
    return false;
}

void X11Connection::removeTarget(Window window) {
    for (int i = 0; i < kMostTargets; ++i) {
        if (targets[i] && targetWindows[i] == window) targets[i] = nullptr;
    }
}

X11EventTarget* X11Connection::targetOf(Window window) const {
    for (int i = 0; i < kMostTargets; ++i) {
        if (targets[i] && targetWindows[i] == window) return targets[i];
    }
    return nullptr;
}

int X11Connection::openCount() {
    std::lock_guard<std::mutex> hold(registryLock);
    return connectionCount;
}

bool X11Connection::handlerInstalled() {
    std::lock_guard<std::mutex> hold(registryLock);
    return installed;
}
