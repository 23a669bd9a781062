#include "controls/OnOffButton.h"

#include <cmath>

OnOffButton::OnOffButton(const Rect& buttonSize, ControlListener* buttonListener, int32_t buttonTag,
                         Bitmap* picture)
    : Control(buttonSize, buttonListener, buttonTag), bitmap(picture) {}

void OnOffButton::draw(DrawContext& context) {
    if (bitmap) {
        const int32_t top = value != 0.0f ? bitmap->getHeight() / 2 : 0;
        bitmap->draw(context, size, Point(0, top));
    }
    drawnValue = value;
}

void OnOffButton::onMouseDown(DrawContext& context, Point) {
    if (!acceptsMouse) return;
    // Only a whole 1 (or more) counts as on: 0.9 turns on.
    value = std::trunc(value) != 0.0f ? 0.0f : 1.0f;
    draw(context);
    notify(context);
}
