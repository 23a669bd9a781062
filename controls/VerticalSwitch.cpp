#include "controls/VerticalSwitch.h"

// The control is taken as one frame high and cut into frameCount equal zones;
// a pointer on a zone boundary belongs to the lower zone.
void VerticalSwitch::onMouseDown(DrawContext& context, Point where) {
    const double zone = static_cast<double>(frameHeight) / frameCount;
    track(context, where, [&](Point p) {
        const int32_t dy = p.v - size.top;
        return zoneValue([&](int32_t i) { return dy < static_cast<int32_t>(i * zone); });
    });
}
