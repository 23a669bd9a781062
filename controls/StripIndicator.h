// Shows the frame of a picture strip nearest to the value: with n frames,
// frame k stands for the value k / (n - 1). Display only.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class StripIndicator : public Control {
public:
    // firstFrame: source offset of frame 0; the others follow downwards.
    StripIndicator(const Rect& indicatorSize, ControlListener* indicatorListener, int32_t indicatorTag,
                   int32_t frames, int32_t heightOfFrame, Bitmap* picture, Point firstFrame);

    // A value above 1 is stored back as 1.
    void draw(DrawContext& context) override;

private:
    SharedBitmap bitmap;
    Point offset;
    int32_t frameCount;
    int32_t frameHeight;
};
