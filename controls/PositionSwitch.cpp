#include "controls/PositionSwitch.h"

#include <algorithm>

#include "gui/DrawContext.h"

namespace {
// Fewer than two positions would divide by zero.
constexpr int32_t kMinimumSwitchPositions = 2;
}  // namespace

PositionSwitch::PositionSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                               int32_t heightOfFrame, int32_t positions, Bitmap* picture)
    : Control(switchSize, switchListener, switchTag),
      bitmap(picture),
      frameHeight(heightOfFrame),
      frameCount(std::max(positions, kMinimumSwitchPositions)) {
    defaultValue = 0.0f;
}

void PositionSwitch::draw(DrawContext& context) {
    const double step = 1.0 / (frameCount - 1);
    Point offset(0, (frameCount - 1) * frameHeight);
    for (int32_t i = 1; i < frameCount; ++i) {
        if (i * step > value) {
            offset = Point(0, (i - 1) * frameHeight);
            break;
        }
    }
    if (bitmap) bitmap->draw(context, size, offset);
    drawnValue = value;
}
