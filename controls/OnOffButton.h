// A button that flips between 0 and 1 at each press. Its picture holds the
// "off" image above the "on" image, each half the picture's height.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class OnOffButton : public Control {
public:
    OnOffButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag, Bitmap* picture);

    void draw(DrawContext& context) override;
    // Draws at once and notifies whether or not the value differs from the one drawn.
    void onMouseDown(DrawContext& context, Point where) override;

protected:
    SharedBitmap bitmap;
};
