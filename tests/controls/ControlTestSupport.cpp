#include "ControlTestSupport.h"

#include <atomic>
#include <thread>

#include "ControlPictures.h"
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

void RecordingListener::valueChanged(DrawContext& context, Control& control) {
    values.push_back(control.getValue());
    tags.push_back(control.getTag());
    if (redraws) control.update(context);
}

Gesture& Gesture::moveTo(HWND window, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    steps.push_back(Step{true, screen, INPUT{}});
    return *this;
}

Gesture& Gesture::press() {
    steps.push_back(Step{false, POINT{}, mouseButtonInput(MOUSEEVENTF_LEFTDOWN)});
    return *this;
}

Gesture& Gesture::release() {
    steps.push_back(Step{false, POINT{}, mouseButtonInput(MOUSEEVENTF_LEFTUP)});
    return *this;
}

Gesture& Gesture::keyDown(WORD virtualKey) {
    steps.push_back(Step{false, POINT{}, keyInput(virtualKey, true)});
    return *this;
}

Gesture& Gesture::keyUp(WORD virtualKey) {
    steps.push_back(Step{false, POINT{}, keyInput(virtualKey, false)});
    return *this;
}

void Gesture::play() const {
    waitTicks(kSettleMilliseconds);
    for (const Step& step : steps) {
        if (step.isMove) {
            SetCursorPos(step.screen.x, step.screen.y);
        } else {
            INPUT input = step.input;
            SendInput(1, &input, sizeof input);
        }
        waitTicks(kSettleMilliseconds);
    }
}

void Gesture::perform() const {
    std::atomic<bool> done{false};
    std::thread robot([this, &done] {
        play();
        done = true;
    });
    while (!done) {
        pumpMouseMessages();
        Sleep(1);
    }
    robot.join();
    pumpMouseMessages();
}

void pumpMouseMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) continue;
        DispatchMessageA(&message);
    }
}

EditorWindow::EditorWindow() {
    host = createHostWindow(testTopWindow(), 10, 10, 120, 80);
    frame = new Frame(Rect(0, 0, 120, 80), host, &owner);
    auto* background = new Bitmap(kEditorBackPicture);
    frame->setBackground(background);
    background->forget();
}

EditorWindow::~EditorWindow() {
    delete frame;
    DestroyWindow(host);
    pumpMouseMessages();
}

void EditorWindow::paint() {
    InvalidateRect(frame->getWindow(), nullptr, FALSE);
    UpdateWindow(frame->getWindow());
}

COLORREF EditorWindow::pixel(int x, int y) const {
    HDC dc = GetDC(frame->getWindow());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(frame->getWindow(), dc);
    return colour;
}
