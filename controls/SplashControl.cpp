#include "controls/SplashControl.h"

#include "gui/Frame.h"

SplashControl::SplashControl(const Rect& clickArea, ControlListener* splashListener, int32_t splashTag,
                             Bitmap* picture, const Rect& pictureRect, Point pictureOffset)
    : Control(clickArea, splashListener, splashTag), splashRect(pictureRect), bitmap(picture), offset(pictureOffset) {}

void SplashControl::draw(DrawContext& context) {
    if (value != 0.0f && bitmap) bitmap->draw(context, splashRect, offset);
}

void SplashControl::onMouseDown(DrawContext& context, Point) {
    if (!acceptsMouse) return;
    if (value == 0.0f) {
        show(context);
    } else {
        hide(context);
    }
}

void SplashControl::show(DrawContext& context) {
    // Refused while another view is modal: stay hidden, at the click area's
    // size, rather than showing nothing with the value at 1.
    if (!parent || !parent->setModalView(this)) return;
    value = 1.0f;
    savedSize = size;
    size = splashRect;
    draw(context);
    notify(context);
}

void SplashControl::hide(DrawContext& context) {
    value = 0.0f;
    // Only a splash that a click enlarged has a click area to go back to; one
    // shown by setValue kept its own.
    if (parent && parent->getModalView() == this) {
        size = savedSize;
        parent->setModalView(nullptr);
    }
    if (parent) parent->draw(context);
    notify(context);
}
