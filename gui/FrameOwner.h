// What the toolkit needs from whoever opens a frame (an editor): the module
// the frame's window class and child windows belong to, and the idle work to
// run while a control holds the mouse. Value changes reach the owner through
// the controls' listeners.
#pragma once

#include <windows.h>

class FrameOwner {
public:
    virtual HINSTANCE frameModule() const = 0;
    // Called at most as often as the owner allows, from tracking loops.
    virtual void trackingIdle() = 0;

protected:
    // Owners are never deleted through this interface.
    ~FrameOwner() = default;
};
