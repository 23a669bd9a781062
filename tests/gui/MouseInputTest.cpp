#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/DrawContext.h"

namespace {

// Wine answers GetAsyncKeyState from a per-thread cache for about 50 ms.
void settle() { waitTicks(60); }

void send(INPUT input) { SendInput(1, &input, sizeof input); }

INPUT key(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

INPUT button(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

// Presses happen over a bare part of the screen, where no window takes them.
class MouseInput : public testing::Test {
protected:
    void SetUp() override {
        testTopWindow();
        SetCursorPos(1200, 980);
        settle();
    }
    void TearDown() override { pumpMessages(); }

    DrawContext context{nullptr, nullptr, nullptr};
};

}  // namespace

TEST_F(MouseInput, ShiftWithTheRightButtonReads12) {
    EXPECT_EQ(context.getMouseButtons(), 0);
    send(key(VK_SHIFT, true));
    send(button(MOUSEEVENTF_RIGHTDOWN));
    settle();
    EXPECT_EQ(context.getMouseButtons(), kShiftKey | kRightButton);
    EXPECT_EQ(context.getMouseButtons(), 12);
    send(button(MOUSEEVENTF_RIGHTUP));
    send(key(VK_SHIFT, false));
    settle();
    EXPECT_EQ(context.getMouseButtons(), 0);
}

TEST_F(MouseInput, ControlAltLeftAndMiddleSetTheirOwnBits) {
    send(key(VK_CONTROL, true));
    send(key(VK_MENU, true));
    send(button(MOUSEEVENTF_LEFTDOWN));
    send(button(MOUSEEVENTF_MIDDLEDOWN));
    settle();
    EXPECT_EQ(context.getMouseButtons(), kControlKey | kAltKey | kLeftButton | kMiddleButton);
    send(button(MOUSEEVENTF_MIDDLEUP));
    send(key(VK_CONTROL, false));
    settle();
    EXPECT_EQ(context.getMouseButtons(), kAltKey | kLeftButton);
    send(button(MOUSEEVENTF_LEFTUP));
    send(key(VK_MENU, false));
    settle();
    EXPECT_EQ(context.getMouseButtons(), 0);
}

TEST_F(MouseInput, LocationIsInTheWindowsClientCoordinates) {
    HWND host = createHostWindow(testTopWindow(), 30, 40, 200, 100);
    POINT origin{0, 0};
    ClientToScreen(host, &origin);
    DrawContext windowContext(nullptr, nullptr, host);
    SetCursorPos(origin.x + 17, origin.y + 23);
    settle();
    Point where;
    windowContext.getMouseLocation(where);
    EXPECT_EQ(where.h, 17);
    EXPECT_EQ(where.v, 23);
    SetCursorPos(origin.x - 5, origin.y + 150);
    settle();
    windowContext.getMouseLocation(where);
    EXPECT_EQ(where.h, -5);
    EXPECT_EQ(where.v, 150);
    DestroyWindow(host);
}
