// An invisible click area that, when clicked, grows to a larger rectangle and
// shows a picture there as the frame's modal view until clicked again.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class SplashControl : public Control {
public:
    SplashControl(const Rect& clickArea, ControlListener* splashListener, int32_t splashTag, Bitmap* picture,
                  const Rect& pictureRect, Point pictureOffset = Point(0, 0));

    // Shows the picture whenever the value is not 0, modal or not.
    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;

    const Rect& getSplashRect() const { return splashRect; }

protected:
    void show(DrawContext& context);
    void hide(DrawContext& context);

    Rect splashRect;
    // The click area, kept while the control is enlarged.
    Rect savedSize;
    SharedBitmap bitmap;
    Point offset;
};
