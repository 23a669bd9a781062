#include "controls/RockerSwitch.h"

#include "gui/DrawContext.h"

RockerSwitch::RockerSwitch(const Rect& switchSize, ControlListener* switchListener, int32_t switchTag,
                           int32_t heightOfFrame, Bitmap* picture, Point firstFrame)
    : Control(switchSize, switchListener, switchTag), bitmap(picture), offset(firstFrame), frameHeight(heightOfFrame) {}

void RockerSwitch::draw(DrawContext& context) {
    Point source = offset;
    if (value == 1.0f) source.v += 2 * frameHeight;
    if (value == 0.0f) source.v += frameHeight;
    if (bitmap) bitmap->draw(context, size, source);
    drawnValue = value;
}

float RockerSwitch::valueAt(Point where, float elsewhere) const {
    const int32_t middle = size.left + size.width() / 2;
    if (where.v < size.top || where.v > size.bottom) return elsewhere;
    if (where.h >= size.left && where.h <= middle) return -1.0f;
    if (where.h >= middle && where.h <= size.right) return 1.0f;
    return elsewhere;
}

void RockerSwitch::onMouseDown(DrawContext& context, Point where) {
    if (!acceptsMouse) return;
    const float saved = value;
    if (context.getMouseButtons() != 0) {
        do {
            value = valueAt(where, saved);
        } while (followPointer(context, where) != 0);
    } else {
        value = valueAt(where, value);
        notify(context);
    }
    value = 0.0f;
    notify(context);
}
