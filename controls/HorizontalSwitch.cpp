#include "controls/HorizontalSwitch.h"

#include <algorithm>

#include "controls/SwitchFrames.h"
#include "gui/DrawContext.h"

HorizontalSwitch::HorizontalSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                                   int32_t heightOfFrame, int32_t positions, Bitmap* picture)
    : Control(switchSize, switchListener, switchTag),
      bitmap(picture),
      frameHeight(heightOfFrame),
      frameCount(std::max(positions, kMinimumSwitchPositions)) {
    defaultValue = 0.0f;
}

void HorizontalSwitch::draw(DrawContext& context) {
    if (bitmap) bitmap->draw(context, size, switchFrameOffset(value, frameCount, frameHeight));
    drawnValue = value;
}

// Unlike the vertical switch, a pointer on a zone boundary belongs to the
// zone on its left.
float HorizontalSwitch::valueAt(Point where) const {
    const int32_t width = bitmap ? bitmap->getWidth() : 0;
    const double zone = static_cast<double>(width) / frameCount;
    const int32_t dx = where.h - size.left;
    for (int32_t i = 1; i < frameCount; ++i) {
        if (dx <= static_cast<int32_t>(i * zone)) return static_cast<float>(i - 1) / static_cast<float>(frameCount - 1);
    }
    return 1.0f;
}

void HorizontalSwitch::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse || resetOnAltClick(context)) return;
    do {
        value = valueAt(where);
    } while (followPointer(context, where) != 0);
}
