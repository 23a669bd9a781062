// What the toolkit needs from whoever opens a frame (an editor): the module
// the frame's window class and pictures belong to, the idle work to run
// while a control holds the mouse, and the end of each piece of user input.
// Value changes reach the owner through the controls' listeners.
#pragma once

#include "gui/SystemTypes.h"

class FrameOwner {
public:
    virtual SystemModule frameModule() const = 0;
    // Called at most as often as the owner allows, from tracking loops.
    virtual void trackingIdle() = 0;
    // The frame's outermost handler of user input (a click with its drag, a
    // key, a menu or an edit) has returned: whatever the user changed in it
    // is done changing.
    virtual void gestureEnded() {}

protected:
    // Owners are never deleted through this interface.
    ~FrameOwner() = default;
};
