// A rotary control: a handle picture moving on a 270-degree arc over an
// optional background picture. The value jumps to the pointer's angle around
// the centre; there is no relative drag.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class Knob : public Control {
public:
    // Without a handle the knob draws its background only.
    Knob(const Rect& knobSize, ControlListener* knobListener, int32_t knobTag, Bitmap* backgroundPicture,
         Bitmap* handle, Point offset = Point(0, 0));

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;

    // Both work in control-local coordinates of the handle's centre: the
    // handle's top-left corner plus inset on each axis.
    virtual void valueToPoint(Point& point) const;
    virtual float valueFromPoint(Point where) const;
    virtual void setBackground(Bitmap* picture) { background.reset(picture); }
    virtual Bitmap* getBackground() const { return background.get(); }

    int32_t getInset() const { return inset; }

protected:
    // Radius of the circle the handle's corner runs on, in pixels.
    double radius() const;

    // Margin between the rectangle and that circle.
    int32_t inset = 5;
    SharedBitmap background;
    SharedBitmap handleBitmap;
    Point backgroundOffset;
};
