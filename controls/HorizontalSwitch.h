// A switch of frameCount positions chosen by the pointer's column in the
// control.
#pragma once

#include "controls/PositionSwitch.h"

class HorizontalSwitch : public PositionSwitch {
public:
    // picture: a vertical strip of positions frames, each heightOfFrame high;
    // its width is cut into the positions' zones.
    HorizontalSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                     int32_t heightOfFrame, int32_t positions, Bitmap* picture)
        : PositionSwitch(switchSize, switchListener, switchTag, heightOfFrame, positions, picture) {}

    void onMouseDown(DrawContext& context, Point where) override;
};
