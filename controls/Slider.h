// What the vertical and horizontal sliders share: a handle picture moved
// along one axis between two positions over an optional background, drawn
// offscreen and copied in one block so that it never flickers. A drag starts
// only on the handle, keeps the grab point under the pointer, and moves one
// tenth as fast while shift is held.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

enum class SliderAxis { Vertical, Horizontal };

class Slider : public Control {
public:
    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;

    virtual void setTransparentHandle(bool transparent) { transparentHandle = transparent; }
    virtual void setHandleOffset(Point offset) { handleOffset = offset; }

    // In frame-window coordinates along the axis: the handle's leading edge as last drawn.
    int32_t getHandlePos() const { return handlePos; }

protected:
    // minPosition, maxPosition: the handle's travel in frame-window coordinates
    // along the axis. style: exactly one of the axis's two origin bits.
    Slider(SliderAxis sliderAxis, const Rect& sliderSize, ControlListener* sliderListener, int32_t sliderTag,
           int32_t minPosition, int32_t maxPosition, Bitmap* handle, Bitmap* backgroundPicture,
           Point backgroundSource, int32_t sliderStyle);

private:
    // Where draw puts the handle for the current value, in control coordinates.
    Rect handleRect() const;
    bool isOnHandle(Point where) const;
    // Along the axis / across it.
    int32_t along(Point p) const { return axis == SliderAxis::Vertical ? p.v : p.h; }
    int32_t across(Point p) const { return axis == SliderAxis::Vertical ? p.h : p.v; }
    int32_t leadingEdge() const { return axis == SliderAxis::Vertical ? size.top : size.left; }
    int32_t handleLength() const { return axis == SliderAxis::Vertical ? handleHeight : handleWidth; }
    int32_t handleThickness() const { return axis == SliderAxis::Vertical ? handleWidth : handleHeight; }
    float valueFromPointer(Point where, int32_t grab) const;
    void track(DrawContext& context, Point where, int32_t buttons);

    SliderAxis axis;
    SharedBitmap handleBitmap;
    SharedBitmap background;
    int32_t handleWidth;
    int32_t handleHeight;
    Point backgroundOffset;
    Point handleOffset;
    int32_t minPos;
    int32_t maxPos;
    int32_t style;
    int32_t handlePos = 0;
    bool transparentHandle = true;
    int32_t minLimit;
    int32_t maxLimit;
    int32_t controlWidth;
    int32_t controlHeight;
};
