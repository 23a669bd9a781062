#include "controls/LatchButton.h"

LatchButton::LatchButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                         int32_t heightOfFrame, Bitmap* picture, Point)
    : TwoStateButton(buttonSize, buttonListener, buttonTag, heightOfFrame, picture) {}

void LatchButton::draw(DrawContext& context) {
    clampValue();
    drawFrom(context, Point(0, value != 0.0f ? frameHeight : 0));
}
