// The frame's child window on Win32: the shared window class, the window
// procedure and the geometry of the window chain the host wraps around the
// editor.
#include <cstdio>

#include "gui/DrawContext.h"
#include "gui/Frame.h"

struct Frame::Platform {
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void registerClass(HINSTANCE module);
    static void unregisterClass();
    static void handle(Frame& frame, HWND handledWindow, UINT message, LPARAM lParam);
    static void paint(Frame& frame, HWND paintedWindow);
    static void click(Frame& frame, HWND clickedWindow, LPARAM position);
};

namespace {

char className[20] = "";
int32_t classUseCount = 0;
HINSTANCE classModule = nullptr;

Frame* frameOf(HWND window) { return reinterpret_cast<Frame*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

RECT windowRect(HWND window) {
    RECT r{0, 0, 0, 0};
    GetWindowRect(window, &r);
    return r;
}

// The top-left corner of window's screen rectangle, in the client coordinates of reference.
POINT cornerIn(HWND window, HWND reference) {
    const RECT r = windowRect(window);
    POINT corner{r.left, r.top};
    MapWindowPoints(HWND_DESKTOP, reference, &corner, 1);
    return corner;
}

void resize(HWND window, int32_t width, int32_t height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const char* Frame::getClassName() { return className; }

int32_t Frame::getClassUseCount() { return classUseCount; }

void Frame::Platform::registerClass(HINSTANCE module) {
    if (++classUseCount != 1) return;
    classModule = module;
    // The handle's value makes the name unique to this module in the process.
    std::snprintf(className, sizeof className, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(module)));
    WNDCLASSA description{};
    description.lpfnWndProc = Platform::windowProc;
    description.hInstance = module;
    description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the standard arrow
    description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    description.lpszClassName = className;
    RegisterClassA(&description);
}

void Frame::Platform::unregisterClass() {
    if (--classUseCount == 0) UnregisterClassA(className, classModule);
}

void Frame::createWindow() {
    Platform::registerClass(getModule());
    windowState.usesClass = true;
    window = CreateWindowExA(0, className, "Window", WS_CHILD | WS_VISIBLE, 0, 0, size.width(), size.height(),
                             static_cast<HWND>(parentWindow), nullptr, classModule, nullptr);
    if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Frame::destroyWindow() {
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);  // messages still in flight find no frame
        DestroyWindow(window);
    }
    if (windowState.usesClass) Platform::unregisterClass();
}

void Frame::hideWindow() { ShowWindow(window, SW_HIDE); }

HDC Frame::acquireWindowContext() { return GetDC(window); }

void Frame::releaseWindowContext(HDC context) { ReleaseDC(window, context); }

// Windows delivers every message to the window procedure through the host's
// own message loop.
void Frame::handleEvents() {}

void Frame::waitForInput(uint32_t milliseconds) const {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_INPUT);
}

LRESULT CALLBACK Frame::Platform::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Frame* frame = frameOf(window)) handle(*frame, window, message, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The owner may close the frame from inside any of these (a drag loop runs
// the host's idle work); the scope keeps the frame alive until they return.
void Frame::Platform::handle(Frame& frame, HWND handledWindow, UINT message, LPARAM lParam) {
    HandlerScope busy(frame);
    switch (message) {
    case WM_PAINT:
        paint(frame, handledWindow);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        click(frame, handledWindow, lParam);
        break;
    case WM_DESTROY:
        frame.isOpen = false;
        frame.parentWindow = nullptr;
        frame.window = nullptr;  // never hand a dead handle to the platform again
        break;
    default:
        break;
    }
}

void Frame::Platform::paint(Frame& frame, HWND paintedWindow) {
    RECT dirty;
    if (!GetUpdateRect(paintedWindow, &dirty, FALSE)) return;
    PAINTSTRUCT paintInfo;
    HDC paintContext = BeginPaint(paintedWindow, &paintInfo);
    {
        DrawContext context(&frame, paintContext, paintedWindow);
        frame.draw(context);  // the whole editor, whatever the update region
    }
    EndPaint(paintedWindow, &paintInfo);
}

// The clicked window, not the member: the host may destroy it while a
// control tracks the mouse, and the context must go back to where it came from.
void Frame::Platform::click(Frame& frame, HWND clickedWindow, LPARAM position) {
    if (frame.closing) return;
    // Taken unsigned: a position word of 65535 is 65535, not -1.
    const Point where(LOWORD(position), HIWORD(position));
    HDC windowContext = GetDC(clickedWindow);
    {
        DrawContext context(&frame, windowContext, clickedWindow);
        frame.click(context, where);
    }
    ReleaseDC(clickedWindow, windowContext);
}

bool Frame::setSize(int32_t width, int32_t height) {
    if (!isOpen || (width == size.width() && height == size.height())) return false;
    size.right = size.left + width;
    size.bottom = size.top + height;

    const int32_t limit = 2 * GetSystemMetrics(SM_CYDLGFRAME);
    int32_t dx = 0;
    int32_t dy = 0;
    HWND w = window;
    while (dx != limit && w) {
        HWND enclosing = GetParent(w);
        const RECT own = windowRect(w);
        const RECT outer = windowRect(enclosing);
        resize(w, width + dx, height + dy);
        dx = (outer.right - outer.left) - (own.right - own.left);
        dy = (outer.bottom - outer.top) - (own.bottom - own.top);
        if (dx > 80 || dy > 80) return true;  // a window much larger than the editor is left alone
        w = enclosing;
    }
    if (w) resize(w, width + dx, height + dy);
    return true;
}

bool Frame::getPosition(int32_t& x, int32_t& y) const {
    if (!isOpen) return false;
    HWND grandparent = GetParent(GetParent(window));
    const POINT corner = cornerIn(grandparent, GetParent(grandparent));
    x = corner.x;
    y = corner.y;
    return true;
}

bool Frame::getSize(Rect& rect) const {
    if (!isOpen) return false;
    HWND hostWindow = GetParent(window);
    const RECT outer = windowRect(hostWindow);
    const POINT corner = cornerIn(hostWindow, GetParent(GetParent(hostWindow)));
    rect = Rect(corner.x, corner.y, corner.x + (outer.right - outer.left), corner.y + (outer.bottom - outer.top));
    return true;
}
