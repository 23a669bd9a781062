#include "controls/MomentaryButton.h"

MomentaryButton::MomentaryButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                                 int32_t heightOfFrame, Bitmap* picture, Point imageOffset)
    : TwoStateButton(buttonSize, buttonListener, buttonTag, heightOfFrame, picture), offset(imageOffset) {}

void MomentaryButton::draw(DrawContext& context) {
    clampValue();
    drawFrom(context, value != 0.0f ? Point(offset.h, offset.v + frameHeight) : offset);
}

void MomentaryButton::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse) return;
    TwoStateButton::onMouseDown(context, where);
    value = 0.0f;
    notify(context);
}
