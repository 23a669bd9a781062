// The control tests' gestures and editor window on Win32: SetCursorPos and
// SendInput from a second thread, a frame in a child of the test program's
// one top-level window.
#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

// Wine answers GetAsyncKeyState from a per-thread cache for about 50 ms, so
// every step waits that long before the next one can be seen.
constexpr DWORD kSettleMilliseconds = 60;

}  // namespace

INPUT mouseButtonInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

INPUT keyInput(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

void Gesture::play() const {
    waitTicks(kSettleMilliseconds);
    for (const Step& step : steps) {
        INPUT input{};
        switch (step.kind) {
        case Kind::Move: {
            POINT screen{step.x, step.y};
            ClientToScreen(reinterpret_cast<HWND>(step.window), &screen);
            SetCursorPos(screen.x, screen.y);
            break;
        }
        case Kind::Press:
            input = mouseButtonInput(MOUSEEVENTF_LEFTDOWN);
            break;
        case Kind::Release:
            input = mouseButtonInput(MOUSEEVENTF_LEFTUP);
            break;
        case Kind::KeyDown:
        case Kind::KeyUp:
            input = keyInput(step.key, step.kind == Kind::KeyDown);
            break;
        }
        if (step.kind != Kind::Move) SendInput(1, &input, sizeof input);
        waitTicks(kSettleMilliseconds);
    }
}

void handleTestEvents() {
    pumpMouseMessages();
    Sleep(1);
}

void pumpMouseMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) continue;
        DispatchMessageA(&message);
    }
}

EditorWindow::EditorWindow() {
    HWND created = createHostWindow(testTopWindow(), 10, 10, 120, 80);
    host = reinterpret_cast<uintptr_t>(created);
    frame = new Frame(Rect(0, 0, 120, 80), created, &owner);
    auto* background = new Bitmap(kEditorBackPicture);
    frame->setBackground(background);
    background->forget();
}

EditorWindow::~EditorWindow() {
    delete frame;
    DestroyWindow(reinterpret_cast<HWND>(host));
    pumpMouseMessages();
}

void EditorWindow::paint() {
    InvalidateRect(frame->getWindow(), nullptr, FALSE);
    UpdateWindow(frame->getWindow());
}

uint32_t EditorWindow::pixel(int x, int y) const {
    HDC dc = GetDC(frame->getWindow());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(frame->getWindow(), dc);
    return colour;
}
