// What the latch and momentary buttons share: a picture with the "off" image
// above the "on" image, frameHeight apart, and a press followed while held.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class TwoStateButton : public Control {
public:
    TwoStateButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                   int32_t heightOfFrame, Bitmap* picture);

    void onMouseDown(DrawContext& context, Point where) override;

protected:
    // Stores a value above 1 back as 1 and one below 0, or not a number, as 0.
    void clampValue();
    void drawFrom(DrawContext& context, Point offset);

    SharedBitmap bitmap;
    int32_t frameHeight;
};
