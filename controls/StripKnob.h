// A knob that shows one frame of a vertical picture strip, chosen by the
// value, instead of moving a handle.
#pragma once

#include <cstdint>

#include "controls/Knob.h"

class StripKnob : public Knob {
public:
    StripKnob(const Rect& knobSize, ControlListener* knobListener, int32_t knobTag, int32_t frames,
              int32_t heightOfFrame, Bitmap* strip, Point offset = Point(0, 0));

    void draw(DrawContext& context) override;

    // Top row of the frame the value shows: frame 0 up to value 0, the last
    // frame from value 1 on, never a row past the strip.
    int32_t frameTop() const;

protected:
    int32_t frameCount;
    int32_t frameHeight;
};
