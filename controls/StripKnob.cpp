#include "controls/StripKnob.h"

StripKnob::StripKnob(const Rect& knobSize, ControlListener* knobListener, int32_t knobTag, int32_t frames,
                     int32_t heightOfFrame, Bitmap* strip, Point offset)
    : Knob(knobSize, knobListener, knobTag, nullptr, strip, offset),
      frameCount(frames),
      frameHeight(heightOfFrame) {
    // The angle is measured around the rectangle's centre.
    inset = 0;
}

int32_t StripKnob::frameTop() const {
    if (frameCount < 2 || frameHeight <= 0 || !(value > 0.0f)) return 0;
    const int32_t lastTop = (frameCount - 1) * frameHeight;
    if (value >= 1.0f) return lastTop;
    const auto y = static_cast<int32_t>(static_cast<float>(lastTop) * value);
    return y / frameHeight * frameHeight;
}

void StripKnob::draw(DrawContext& context) {
    if (handleBitmap) handleBitmap->draw(context, size, Point(0, frameTop()));
    drawnValue = value;
}
