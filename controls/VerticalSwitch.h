// A switch of frameCount positions chosen by the pointer's height in the
// control.
#pragma once

#include "controls/PositionSwitch.h"

class VerticalSwitch : public PositionSwitch {
public:
    // picture: a vertical strip of positions frames, each heightOfFrame high.
    VerticalSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag, int32_t heightOfFrame,
                   int32_t positions, Bitmap* picture)
        : PositionSwitch(switchSize, switchListener, switchTag, heightOfFrame, positions, picture) {}

    void onMouseDown(DrawContext& context, Point where) override;
};
