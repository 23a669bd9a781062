#include "TextControlInput.h"

#include <atomic>
#include <cctype>
#include <thread>

#include "GuiTestSupport.h"
#include "win32/Win32TestPlatform.h"

namespace {

// Wine answers GetAsyncKeyState from a per-thread cache for about 50 ms.
constexpr DWORD kSettleMilliseconds = 60;
constexpr DWORD kPopupWaitMilliseconds = 3000;
constexpr DWORD kPopupWatchMilliseconds = 500;
constexpr int kBarePlaceX = 1200;
constexpr int kBarePlaceY = 980;

void sendNow(INPUT input) { SendInput(1, &input, sizeof input); }

void dispatchAll() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

void InputScript::send(INPUT input) {
    sendNow(input);
    waitTicks(kSettleMilliseconds);
}

void InputScript::clickNow(int x, int y) {
    SetCursorPos(x, y);
    waitTicks(kSettleMilliseconds);
    send(mouseButtonInput(MOUSEEVENTF_LEFTDOWN));
    send(mouseButtonInput(MOUSEEVENTF_LEFTUP));
}

InputScript& InputScript::clickAt(HWND window, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    return clickOnScreen(screen.x, screen.y);
}

InputScript& InputScript::clickOnScreen(int x, int y) {
    steps.emplace_back([this, x, y] { clickNow(x, y); });
    return *this;
}

InputScript& InputScript::type(const char* keys) {
    for (const char* c = keys; *c; ++c) key(static_cast<WORD>(std::toupper(static_cast<unsigned char>(*c))));
    return *this;
}

InputScript& InputScript::key(WORD virtualKey) {
    steps.emplace_back([this, virtualKey] {
        send(keyInput(virtualKey, true));
        send(keyInput(virtualKey, false));
    });
    return *this;
}

HMENU InputScript::waitForPopup() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPopupWaitMilliseconds) {
        HWND popup = FindWindowA("#32768", nullptr);
        if (popup && IsWindowVisible(popup)) {
            waitTicks(kSettleMilliseconds);
            GetWindowRect(popup, &popupRect);
            if (watchedWindow) {
                HDC dc = GetDC(watchedWindow);
                pixelWhileOpen = GetPixel(dc, watchedPixel.x, watchedPixel.y);
                ReleaseDC(watchedWindow, dc);
            }
            auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
            checkedItems.clear();
            for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
                checkedItems.push_back((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0);
            }
            return menu;
        }
        Sleep(5);
    }
    return nullptr;
}

InputScript& InputScript::chooseMenuItem(int position) {
    steps.emplace_back([this, position] {
        HMENU menu = waitForPopup();
        RECT item{};
        if (!menu || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item)) return;
        clickNow((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    });
    return *this;
}

InputScript& InputScript::dismissMenu() {
    steps.emplace_back([this] {
        if (!waitForPopup()) return;
        clickNow(kBarePlaceX, kBarePlaceY);
    });
    return *this;
}

InputScript& InputScript::watchPixel(HWND window, int x, int y) {
    watchedWindow = window;
    watchedPixel = POINT{x, y};
    return *this;
}

void InputScript::play() {
    waitTicks(kSettleMilliseconds);
    for (const auto& step : steps) step();
}

void InputScript::perform() {
    std::atomic<bool> done{false};
    std::thread robot([this, &done] {
        play();
        done = true;
    });
    while (!done) {
        dispatchAll();
        Sleep(1);
    }
    robot.join();
    dispatchAll();
}

HeldInput::HeldInput(DWORD buttonDownFlag, std::vector<WORD> keys) : button(buttonDownFlag), heldKeys(std::move(keys)) {
    parkPointer();
    for (WORD k : heldKeys) sendNow(keyInput(k, true));
    if (button) sendNow(mouseButtonInput(button));
    waitTicks(kSettleMilliseconds);
}

// Each button's release flag is the press flag shifted one place up.
HeldInput::~HeldInput() {
    if (button) sendNow(mouseButtonInput(button << 1));
    for (WORD k : heldKeys) sendNow(keyInput(k, false));
    waitTicks(kSettleMilliseconds);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) DispatchMessageA(&message);
    }
}

void parkPointer() {
    SetCursorPos(kBarePlaceX, kBarePlaceY);
    waitTicks(kSettleMilliseconds);
}

PopupWatch::PopupWatch() : watcher([this] { watch(); }) {}

PopupWatch::~PopupWatch() {
    if (watcher.joinable()) watcher.join();
}

bool PopupWatch::sawPopup() {
    if (watcher.joinable()) watcher.join();
    return seen;
}

void PopupWatch::watch() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPopupWatchMilliseconds) {
        HWND popup = FindWindowA("#32768", nullptr);
        if (popup && IsWindowVisible(popup)) {
            seen = true;
            SetCursorPos(kBarePlaceX, kBarePlaceY);
            waitTicks(kSettleMilliseconds);
            sendNow(mouseButtonInput(MOUSEEVENTF_LEFTDOWN));
            sendNow(mouseButtonInput(MOUSEEVENTF_LEFTUP));
            return;
        }
        Sleep(5);
    }
}
