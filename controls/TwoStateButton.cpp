#include "controls/TwoStateButton.h"

#include "gui/DrawContext.h"

namespace {

float flipped(float state) { return state == 0.0f ? 1.0f : 0.0f; }

}  // namespace

TwoStateButton::TwoStateButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                               int32_t heightOfFrame, Bitmap* picture)
    : Control(buttonSize, buttonListener, buttonTag), bitmap(picture), frameHeight(heightOfFrame) {}

void TwoStateButton::clampValue() {
    if (value > 1.0f) value = 1.0f;
    if (!(value >= 0.0f)) value = 0.0f;
}

void TwoStateButton::drawFrom(DrawContext& context, Point offset) {
    if (bitmap) bitmap->draw(context, size, offset);
    drawnValue = value;
}

void TwoStateButton::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse) return;
    const float saved = value;
    if (context.getMouseButtons() == 0) {
        // Released before the press reached us: a plain click.
        value = flipped(value);
        notify(context);
        return;
    }
    do {
        value = where.isInside(size) ? flipped(saved) : saved;
    } while (followPointer(context, where) != 0);
}
