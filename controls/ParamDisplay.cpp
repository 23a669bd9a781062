#include "controls/ParamDisplay.h"

#include <cstdio>

#include "controls/DisplayStyle.h"
#include "controls/TextBuffer.h"
#include "gui/DrawContext.h"

ParamDisplay::ParamDisplay(const Rect& displaySize, Bitmap* backgroundPicture, int32_t displayStyle)
    : ParamDisplay(displaySize, nullptr, 0, backgroundPicture, displayStyle) {}

ParamDisplay::ParamDisplay(const Rect& displaySize, ControlListener* displayListener, int32_t displayTag,
                           Bitmap* backgroundPicture, int32_t displayStyle)
    : Control(displaySize, displayListener, displayTag), style(displayStyle), background(backgroundPicture) {}

void ParamDisplay::draw(DrawContext& context) {
    char text[kTextSize] = "";
    if (stringConvert) {
        stringConvert(value, text);
        text[kTextSize - 1] = '\0';
    } else {
        std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(value));
    }
    drawText(context, text);
}

void ParamDisplay::setFont(int32_t id) {
    if (id == fontId) return;
    fontId = id;
    forceRedraw();
}

void ParamDisplay::setFontColor(Color color) { changeColor(fontColor, color); }

void ParamDisplay::setBackColor(Color color) { changeColor(backColor, color); }

void ParamDisplay::setFrameColor(Color color) { changeColor(frameColor, color); }

void ParamDisplay::setShadowColor(Color color) { changeColor(shadowColor, color); }

void ParamDisplay::setHorizontalAlign(int32_t align) {
    if (align == horizontalAlign) return;
    horizontalAlign = align;
    forceRedraw();
}

void ParamDisplay::changeColor(Color& setting, Color color) {
    const bool changed = color != setting;
    setting = color;  // spare is kept even when it alone differs
    if (changed) forceRedraw();
}

void ParamDisplay::drawText(DrawContext& context, const char* text, Bitmap* replacement) {
    drawBox(context, replacement);
    if (style & (EdgeBackTopLeft | EdgeFrameTopLeft)) drawBevel(context);
    context.setFont(fontId, 0);
    if (style & ShadowText) {
        context.setFontColor(shadowColor);
        const Rect shadow(size.left + 1, size.top + 1, size.right + 1, size.bottom + 1);
        context.drawString(text, shadow, 0, horizontalAlign);
    }
    context.setFontColor(fontColor);
    context.drawString(text, size, 0, horizontalAlign);
    drawnValue = value;
}

void ParamDisplay::drawBox(DrawContext& context, Bitmap* replacement) {
    Bitmap* picture = replacement ? replacement : background.get();
    if (picture) {
        picture->draw(context, size, backgroundOffset);
        return;
    }
    context.setFillColor(backColor);
    context.fillRect(size);
    if (style & (EdgeBackTopLeft | EdgeFrameTopLeft)) return;
    context.setFrameColor(frameColor);
    context.drawRect(size);
}

void ParamDisplay::drawBevel(DrawContext& context) {
    const bool backTopLeft = (style & EdgeBackTopLeft) != 0;
    context.setFrameColor(backTopLeft ? backColor : frameColor);
    context.moveTo(Point(size.left, size.bottom));
    context.lineTo(Point(size.left, size.top));
    context.lineTo(Point(size.right + 1, size.top));
    context.setFrameColor(backTopLeft ? frameColor : backColor);
    context.moveTo(Point(size.right, size.top + 1));
    context.lineTo(Point(size.right, size.bottom));
    context.lineTo(Point(size.left, size.bottom));
}
