// A switch of frameCount positions chosen by the pointer's column in the
// control; position k has the value k / (frameCount - 1).
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class HorizontalSwitch : public Control {
public:
    // picture: a vertical strip of frameCount frames, each heightOfFrame high;
    // its width is cut into the positions' zones.
    HorizontalSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                     int32_t heightOfFrame, int32_t positions, Bitmap* picture);

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;

    int32_t getFrameCount() const { return frameCount; }

private:
    float valueAt(Point where) const;

    SharedBitmap bitmap;
    int32_t frameHeight;
    int32_t frameCount;
};
