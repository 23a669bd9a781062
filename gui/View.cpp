#include "gui/View.h"

#include "gui/Frame.h"
#include "gui/OffscreenContext.h"

void View::draw(DrawContext&) {}

void View::onMouseDown(DrawContext&, Point) {}

void View::update(DrawContext&) {}

void View::attachOffscreen(OffscreenContext* context) {
    if (context && context->getWidth() >= size.width() && context->getHeight() >= size.height()) {
        offscreen = context;
    }
}

void View::redraw() {
    if (parent) parent->drawView(this);
}
