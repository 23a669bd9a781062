// What the vertical and horizontal switches share: a strip of frameCount
// frames, one per position, and a press that follows the pointer across the
// positions' zones. Position k has the value k / (frameCount - 1).
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class PositionSwitch : public Control {
public:
    // Frame floor(value * (frameCount - 1)) for values in 0..1, the first
    // below, the last from 1 on.
    void draw(DrawContext& context) override;

    int32_t getFrameCount() const { return frameCount; }

protected:
    // picture: a vertical strip of positions frames, each heightOfFrame high.
    PositionSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                   int32_t heightOfFrame, int32_t positions, Bitmap* picture);

    // The value of the zone i (1 .. frameCount - 1) whose boundary the pointer
    // has not passed, or 1 beyond the last boundary.
    template <typename BeforeBoundary>
    float zoneValue(BeforeBoundary beforeBoundary) const {
        for (int32_t i = 1; i < frameCount; ++i) {
            if (beforeBoundary(i)) return static_cast<float>(i - 1) / static_cast<float>(frameCount - 1);
        }
        return 1.0f;
    }

    // The tracking loop both switches run, with their own zone rule.
    template <typename ValueAt>
    void track(DrawContext& context, Point where, ValueAt valueAt) {
        if (!acceptsMouse || resetOnAltClick(context)) return;
        do {
            value = valueAt(where);
        } while (followPointer(context, where) != 0);
    }

    SharedBitmap bitmap;
    int32_t frameHeight;
    int32_t frameCount;
};
