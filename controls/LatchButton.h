// A button that shows the flipped state while the pointer is held inside, the
// state of the press while it is outside, and keeps what it shows at release.
#pragma once

#include <cstdint>

#include "controls/TwoStateButton.h"

class LatchButton : public TwoStateButton {
public:
    // The offset is accepted for symmetry with MomentaryButton; a latch
    // always draws from the picture's left edge.
    LatchButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                int32_t heightOfFrame, Bitmap* picture, Point offset = Point(0, 0));

    void draw(DrawContext& context) override;
};
