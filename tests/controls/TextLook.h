// The look a text control should have, drawn with the toolkit's own
// primitives: a black box with a black outline and a centred text.
#pragma once

#include "TestPlatform.h"
#include "gui/DrawContext.h"

inline void drawExpectedText(MemorySurface& surface, const Rect& box, const char* text, Color textColour) {
    DrawContext context(nullptr, surface.dc(), nullptr);
    context.setFillColor(kBlackColor);
    context.fillRect(box);
    context.setFrameColor(kBlackColor);
    context.drawRect(box);
    context.setFont(kFontNormal, 0);
    context.setFontColor(textColour);
    context.drawString(text, box, 0, kAlignCenter);
}

inline void drawInto(MemorySurface& surface, View& view) {
    DrawContext context(nullptr, surface.dc(), nullptr);
    view.draw(context);
}
