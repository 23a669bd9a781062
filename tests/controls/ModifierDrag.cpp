#include "ModifierDrag.h"

#include <thread>

#include "ControlTestSupport.h"
#include "GuiTestSupport.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"

namespace {

// Wine answers GetAsyncKeyState from a per-thread cache for about 50 ms.
constexpr DWORD kSettleMilliseconds = 60;

void send(INPUT input) {
    SendInput(1, &input, sizeof input);
    waitTicks(kSettleMilliseconds);
}

}  // namespace

ModifierDrag::ModifierDrag(Control& pressed, Point press)
    : control(pressed), window(pressed.getParent()->getWindow()), pressPoint(press) {}

ModifierDrag& ModifierDrag::holdingAtPress(WORD virtualKey) {
    keysAtPress.push_back(virtualKey);
    return *this;
}

ModifierDrag& ModifierDrag::moveTo(int x, int y) {
    steps.emplace_back([this, x, y] {
        POINT screen{x, y};
        ClientToScreen(window, &screen);
        SetCursorPos(screen.x, screen.y);
        waitTicks(kSettleMilliseconds);
    });
    return *this;
}

ModifierDrag& ModifierDrag::keyDown(WORD virtualKey) {
    steps.emplace_back([virtualKey] { send(keyInput(virtualKey, true)); });
    return *this;
}

ModifierDrag& ModifierDrag::keyUp(WORD virtualKey) {
    steps.emplace_back([virtualKey] { send(keyInput(virtualKey, false)); });
    return *this;
}

void ModifierDrag::runHandler() {
    HDC windowContext = GetDC(window);
    {
        DrawContext context(control.getParent(), windowContext, window);
        control.onMouseDown(context, pressPoint);
    }
    ReleaseDC(window, windowContext);
}

void ModifierDrag::perform() {
    POINT screen{pressPoint.h, pressPoint.v};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    waitTicks(kSettleMilliseconds);
    for (WORD held : keysAtPress) send(keyInput(held, true));
    send(mouseButtonInput(MOUSEEVENTF_LEFTDOWN));
    std::thread handler([this] { runHandler(); });
    waitTicks(kSettleMilliseconds);
    for (const auto& step : steps) step();
    send(mouseButtonInput(MOUSEEVENTF_LEFTUP));
    for (WORD held : keysAtPress) send(keyInput(held, false));
    handler.join();
    // The press and release also reached the window; the handler has had them.
    MSG message;
    while (PeekMessageA(&message, window, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}
