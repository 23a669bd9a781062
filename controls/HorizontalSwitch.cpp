#include "controls/HorizontalSwitch.h"

#include "gui/Bitmap.h"

// Unlike the vertical switch, a pointer on a zone boundary belongs to the
// zone on its left.
void HorizontalSwitch::onMouseDown(DrawContext& context, Point where) {
    const int32_t width = bitmap ? bitmap->getWidth() : 0;
    const double zone = static_cast<double>(width) / frameCount;
    track(context, where, [&](Point p) {
        const int32_t dx = p.h - size.left;
        return zoneValue([&](int32_t i) { return dx <= static_cast<int32_t>(i * zone); });
    });
}
