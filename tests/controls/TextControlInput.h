// Real input for the text controls, which the mouse gestures cannot give:
// typing into the focused window, and picking from a popup menu whose place
// is known only once it is open.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Plays a script on a second thread while this one dispatches every window
// message it causes, keyboard messages included and translated into
// characters. Each step is followed by a pause long enough for Wine's cached
// key state to catch up.
class InputScript {
public:
    InputScript& clickAt(HWND window, int x, int y);
    InputScript& clickOnScreen(int x, int y);
    // Letters as their keys: upper-case letters and digits give their own key.
    InputScript& type(const char* keys);
    InputScript& key(WORD virtualKey);
    // Waits for the popup menu to open, remembers its rectangle and its
    // checked items, then clicks the item at this position.
    InputScript& chooseMenuItem(int position);
    // Waits for the popup menu to open, remembers the same, then clicks
    // outside it.
    InputScript& dismissMenu();
    // A pixel of the window, read while the popup is open.
    InputScript& watchPixel(HWND window, int x, int y);
    void perform();

    // What the menu steps saw of the open popup.
    RECT popupRect{};
    std::vector<bool> checkedItems;
    COLORREF pixelWhileOpen = CLR_INVALID;

private:
    void play();
    void send(INPUT input);
    // A left click at a screen point, from inside a step.
    void clickNow(int x, int y);
    HMENU waitForPopup();

    std::vector<std::function<void()>> steps;
    HWND watchedWindow = nullptr;
    POINT watchedPixel{};
};

// Presses and holds real buttons and keys for a handler called directly on
// this thread, and lets go of them when it ends.
class HeldInput {
public:
    // buttonFlags: the MOUSEEVENTF_..DOWN flag, or 0; keys: virtual keys held with it.
    HeldInput(DWORD buttonDownFlag, std::vector<WORD> keys);
    ~HeldInput();
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;

private:
    DWORD button;
    std::vector<WORD> heldKeys;
};

// Parks the pointer over a part of the screen no window covers.
void parkPointer();

// Watches for a popup menu for a while on a second thread and closes any
// that opens, so that a test of a popup that must not open cannot hang.
class PopupWatch {
public:
    PopupWatch();
    ~PopupWatch();
    PopupWatch(const PopupWatch&) = delete;
    PopupWatch& operator=(const PopupWatch&) = delete;

    // Waits for the watch to end; true if a popup opened meanwhile.
    bool sawPopup();

private:
    void watch();

    std::atomic<bool> seen{false};
    std::thread watcher;
};
