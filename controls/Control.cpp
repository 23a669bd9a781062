#include "controls/Control.h"

#include "gui/DrawContext.h"
#include "gui/Frame.h"

namespace {

constexpr int32_t kResetGesture = kLeftButton | kAltKey;

}  // namespace

Control::Control(const Rect& controlSize, ControlListener* controlListener, int32_t controlTag)
    : View(controlSize), listener(controlListener), tag(controlTag) {}

void Control::update(DrawContext& context) {
    if (value != drawnValue) {
        draw(context);
        drawnValue = value;
    }
}

void Control::trackingIdle() {
    // The frame passes it on to the editor.
    if (parent && parent->getEditor()) parent->trackingIdle();
}

void Control::notify(DrawContext& context) {
    if (listener) listener->valueChanged(context, *this);
}

void Control::notifyIfChanged(DrawContext& context) {
    if (value != drawnValue) notify(context);
}

bool Control::resetOnAltClick(DrawContext& context) {
    if (context.getMouseButtons() != kResetGesture) return false;
    value = getDefaultValue();
    notifyIfChanged(context);
    return true;
}

void Control::forceRedraw() {
    drawnValue = value + 0.1f;
    // Beyond 2^20 or so adding 0.1 no longer changes a float.
    if (drawnValue == value) forceRedrawByFlip();
}

int32_t Control::followPointer(DrawContext& context, Point& where) {
    notifyIfChanged(context);
    context.getMouseLocation(where);
    trackingIdle();
    return context.getMouseButtons();
}
