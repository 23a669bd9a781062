#include "controls/VerticalSwitch.h"

#include <algorithm>

#include "controls/SwitchFrames.h"
#include "gui/DrawContext.h"

VerticalSwitch::VerticalSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                               int32_t heightOfFrame, int32_t positions, Bitmap* picture)
    : Control(switchSize, switchListener, switchTag),
      bitmap(picture),
      frameHeight(heightOfFrame),
      frameCount(std::max(positions, kMinimumSwitchPositions)) {
    defaultValue = 0.0f;
}

void VerticalSwitch::draw(DrawContext& context) {
    if (bitmap) bitmap->draw(context, size, switchFrameOffset(value, frameCount, frameHeight));
    drawnValue = value;
}

// The control is taken as one frame high and cut into frameCount equal zones;
// a pointer on a zone boundary belongs to the lower zone.
float VerticalSwitch::valueAt(Point where) const {
    const double zone = static_cast<double>(frameHeight) / frameCount;
    const int32_t dy = where.v - size.top;
    for (int32_t i = 1; i < frameCount; ++i) {
        if (dy < static_cast<int32_t>(i * zone)) return static_cast<float>(i - 1) / static_cast<float>(frameCount - 1);
    }
    return 1.0f;
}

void VerticalSwitch::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse || resetOnAltClick(context)) return;
    do {
        value = valueAt(where);
    } while (followPointer(context, where) != 0);
}
