#include "controls/Slider.h"

#include <algorithm>

#include "controls/DisplayStyle.h"
#include "controls/PixelMath.h"
#include "gui/DrawContext.h"
#include "gui/OffscreenContext.h"

namespace {

constexpr int32_t kFineDivisor = 10;

bool isDragButtons(int32_t buttons) { return buttons == kLeftButton || buttons == (kLeftButton | kShiftKey); }

}  // namespace

Slider::Slider(SliderAxis sliderAxis, const Rect& sliderSize, ControlListener* sliderListener, int32_t sliderTag,
               int32_t minPosition, int32_t maxPosition, Bitmap* handle, Bitmap* backgroundPicture,
               Point backgroundSource, int32_t sliderStyle)
    : Control(sliderSize, sliderListener, sliderTag),
      axis(sliderAxis),
      handleBitmap(handle),
      background(backgroundPicture),
      handleWidth(handle ? handle->getWidth() : 0),
      handleHeight(handle ? handle->getHeight() : 0),
      backgroundOffset(backgroundSource),
      minPos(minPosition),
      maxPos(maxPosition),
      style(sliderStyle),
      minLimit(minPosition - leadingEdge()),
      maxLimit(maxPosition + handleLength() - leadingEdge()),
      controlWidth(sliderSize.width()),
      controlHeight(sliderSize.height()) {
    // A press before the first draw is tested against the handle where that
    // draw would put it.
    const Rect startingPlace = handleRect();
    handlePos = along(Point(startingPlace.left, startingPlace.top)) + leadingEdge();
}

Rect Slider::handleRect() const {
    const int32_t drawOrigin = axis == SliderAxis::Vertical ? OriginTop : OriginLeft;
    const float v = (style & drawOrigin) ? value : 1.0f - value;
    const int32_t range = maxPos - minPos;
    const int32_t travelled = truncToPixels(static_cast<double>(v * static_cast<float>(range)));
    const int32_t lead = std::max(travelled + along(handleOffset), minLimit);
    const int32_t trail = std::min(lead + handleLength(), maxLimit);
    const int32_t side = across(handleOffset);
    if (axis == SliderAxis::Vertical) return Rect(side, lead, side + handleWidth, trail);
    return Rect(lead, side, trail, side + handleHeight);
}

void Slider::draw(DrawContext& context) {
    const Rect handle = handleRect();
    {
        OffscreenContext composed(parent, controlWidth, controlHeight, kBlackColor);
        if (background) background->draw(composed, Rect(0, 0, controlWidth, controlHeight), backgroundOffset);
        if (handleBitmap && transparentHandle) handleBitmap->drawTransparent(composed, handle, Point(0, 0));
        if (handleBitmap && !transparentHandle) handleBitmap->draw(composed, handle, Point(0, 0));
        composed.copyTo(context, size, Point(0, 0));
    }
    handlePos = along(Point(handle.left, handle.top)) + leadingEdge();
    drawnValue = value;
}

// Edges included; across the axis the handle lies where draw puts it.
bool Slider::isOnHandle(Point where) const {
    const int32_t side = across(Point(size.left, size.top)) + across(handleOffset);
    const int32_t a = along(where);
    const int32_t c = across(where);
    return a >= handlePos && a <= handlePos + handleLength() && c >= side && c <= side + handleThickness();
}

void Slider::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse || resetOnAltClick(context)) return;
    const int32_t buttons = context.getMouseButtons();
    if (!isDragButtons(buttons) || !isOnHandle(where)) return;
    track(context, where, buttons);
}

float Slider::valueFromPointer(Point where, int32_t grab) const {
    const auto range = static_cast<float>(maxPos - minPos);
    const float position = static_cast<float>(along(where) - minPos - grab) / range;
    const int32_t trackOrigin = axis == SliderAxis::Vertical ? OriginBottom : OriginRight;
    return (style & trackOrigin) ? 1.0f - position : position;
}

// Shift re-anchors the fine mode at the value reached, so pressing it never
// makes the handle jump; every new press of shift does so again.
void Slider::track(DrawContext& context, Point where, int32_t buttons) {
    const int32_t grab = along(where) - handlePos;
    float anchor = value;
    int32_t anchorButtons = buttons;
    do {
        value = valueFromPointer(where, grab);
        if (buttons & kShiftKey) value = anchor + (value - anchor) / kFineDivisor;
        if (!(value >= 0.0f)) value = 0.0f;
        if (value > 1.0f) value = 1.0f;
        buttons = followPointer(context, where);
        if (buttons != anchorButtons && (buttons & kShiftKey)) anchor = value;
        anchorButtons = buttons;
    } while (isDragButtons(buttons));
}
