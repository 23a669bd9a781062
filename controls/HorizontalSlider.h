// A slider whose handle moves left and right. OriginLeft puts the value 0 at
// the left when drawing, OriginRight at the right when tracking.
#pragma once

#include "controls/Slider.h"

class HorizontalSlider : public Slider {
public:
    HorizontalSlider(const Rect& sliderSize, ControlListener* sliderListener, int32_t sliderTag,
                     int32_t minPosition, int32_t maxPosition, Bitmap* handle, Bitmap* backgroundPicture,
                     Point backgroundSource, int32_t sliderStyle)
        : Slider(SliderAxis::Horizontal, sliderSize, sliderListener, sliderTag, minPosition, maxPosition, handle,
                 backgroundPicture, backgroundSource, sliderStyle) {}
};
