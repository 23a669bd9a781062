// A level meter: the lit part of an "on" picture over an "off" picture,
// quantised to ledCount steps. It rises at once and falls by at most decay per
// redraw, keeping the held-back level as its value. Display only.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class VuMeter : public Control {
public:
    // Bit of meterStyle; without it the meter is vertical, lit from the bottom.
    static constexpr int32_t kHorizontal = 2;

    // onPicture is needed for drawing; offPicture may be null. leds below 1 count as 1.
    VuMeter(const Rect& meterSize, Bitmap* onPicture, Bitmap* offPicture, int32_t leds, int32_t meterStyle);

    void draw(DrawContext& context) override;

    virtual void setDecay(float perRedraw) { decay = perRedraw; }
    float getDecay() const { return decay; }

private:
    // The value within the range, held back by decay below the last level drawn.
    float heldLevel() const;
    // The level rounded to a whole number of LEDs, as a fraction of the scale.
    float litFraction(float level) const;

    SharedBitmap onBitmap;
    SharedBitmap offBitmap;
    int32_t ledCount;
    int32_t style;
    float decay = 1.0f;
    Rect onRect;
    Rect offRect;
};
