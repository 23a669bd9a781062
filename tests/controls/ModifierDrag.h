// A drag with modifier keys held while the pointer moves. Under Wine the
// thread that owns a window lets go of held modifier keys whenever it handles
// a pointer move, so the control's press handler runs on a thread without
// windows while this thread plays the input and handles no messages.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "controls/Control.h"

class ModifierDrag {
public:
    // press: where the left button goes down, in the frame window's coordinates.
    ModifierDrag(Control& pressed, Point press);
    // A key already held when the button goes down, let go after it comes up.
    ModifierDrag& holdingAtPress(WORD virtualKey);
    ModifierDrag& moveTo(int x, int y);
    ModifierDrag& keyDown(WORD virtualKey);
    ModifierDrag& keyUp(WORD virtualKey);
    // Presses, plays the steps, releases, and waits for the handler to return.
    void perform();

private:
    void runHandler();

    Control& control;
    HWND window;
    Point pressPoint;
    std::vector<WORD> keysAtPress;
    std::vector<std::function<void()>> steps;
};
