// A slider whose handle moves up and down. OriginTop puts the value 0 at the
// top when drawing, OriginBottom at the bottom when tracking.
#pragma once

#include "controls/Slider.h"

class VerticalSlider : public Slider {
public:
    VerticalSlider(const Rect& sliderSize, ControlListener* sliderListener, int32_t sliderTag, int32_t minPosition,
                   int32_t maxPosition, Bitmap* handle, Bitmap* backgroundPicture, Point backgroundSource,
                   int32_t sliderStyle)
        : Slider(SliderAxis::Vertical, sliderSize, sliderListener, sliderTag, minPosition, maxPosition, handle,
                 backgroundPicture, backgroundSource, sliderStyle) {}
};
