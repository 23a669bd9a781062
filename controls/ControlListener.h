// Told by a control when the user changed its value.
#pragma once

class Control;
class DrawContext;

class ControlListener {
public:
    // context is the gesture's and lives only for this call.
    virtual void valueChanged(DrawContext& context, Control& control) = 0;

protected:
    // Listeners are never deleted through this interface.
    ~ControlListener() = default;
};
