#include "gui/DrawContext.h"

DrawContext::~DrawContext() { releaseObjects(); }

void DrawContext::setFrameColor(Color color) {
    frameColor = color;
    rebuildPen();
}

void DrawContext::setLineWidth(int32_t width) {
    frameWidth = width;
    rebuildPen();
}

void DrawContext::setLineStyle(int32_t style) {
    lineStyle = style;
    rebuildPen();
}

void DrawContext::setFillColor(Color color) {
    fillColor = color;
    applyFillColor();
}

void DrawContext::setFontColor(Color color) {
    fontColor = color;
    applyFontColor();
}

void DrawContext::setFont(int32_t id, int32_t size) {
    const FontEntry& entry = fontEntry(id);
    fontSize = size != 0 ? size : entry.size;
    applyFont(entry);
}
