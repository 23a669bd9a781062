// A spring-loaded three-position switch: -1 while its left half is held, +1
// while its right half is held, back to 0 on release.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class RockerSwitch : public Control {
public:
    // picture: frames for -1, 0 and +1 stacked from offset down, each
    // heightOfFrame high.
    RockerSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag, int32_t heightOfFrame,
                 Bitmap* picture, Point firstFrame);

    void draw(DrawContext& context) override;
    // Every press ends with the value 0, told to the listener.
    void onMouseDown(DrawContext& context, Point where) override;

private:
    // -1 or +1 over a half, otherwise elsewhere; the middle column is the left half's.
    float valueAt(Point where, float elsewhere) const;

    SharedBitmap bitmap;
    Point offset;
    int32_t frameHeight;
};
