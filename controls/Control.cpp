#include "controls/Control.h"

#include <chrono>
#include <thread>

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
    // The frame passes it on to its owner.
    if (parent && parent->getOwner()) parent->trackingIdle();
}

// Once its frame is closing the listener may already be gone.
void Control::notify(DrawContext& context) {
    if (listener && !(parent && parent->isClosing())) listener->valueChanged(context, *this);
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

// Sleeps until the pointer or a button moves, or briefly, rather than
// spinning a core; a frame closed by the idle work ends the drag.
int32_t Control::followPointer(DrawContext& context, Point& where) {
    constexpr uint32_t kLongestWait = 10;  // milliseconds
    notifyIfChanged(context);
    if (parent) {
        parent->waitForInput(kLongestWait);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(kLongestWait));
    }
    context.getMouseLocation(where);
    trackingIdle();
    if (parent && parent->isClosing()) return 0;
    return context.getMouseButtons();
}
