// A button that is 1 while the pointer is held inside and 0 outside; the
// release always sends a last notification with 0.
#pragma once

#include <cstdint>

#include "controls/TwoStateButton.h"

class MomentaryButton : public TwoStateButton {
public:
    MomentaryButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                    int32_t heightOfFrame, Bitmap* picture, Point imageOffset = Point(0, 0));

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;

protected:
    // Where the "off" image starts in the picture.
    Point offset;
};
