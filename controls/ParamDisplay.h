// A box that shows the control's value as text: "%2.2f", or whatever a
// StringConvert makes of it. Display only: no listener, no mouse handling.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"
#include "gui/Color.h"
#include "gui/Fonts.h"

// Writes at most 255 characters into a 256-byte buffer preset to "".
using StringConvert = void (*)(float value, char* text);

class ParamDisplay : public Control {
public:
    // style: DisplayStyle bits. A background picture replaces fill and outline.
    ParamDisplay(const Rect& displaySize, Bitmap* backgroundPicture, int32_t displayStyle);

    void draw(DrawContext& context) override;

    // The setters that change the picture mark the control out of date only
    // when the setting really changes; colours compare without spare.
    virtual void setFont(int32_t id);
    virtual void setFontColor(Color color);
    virtual void setBackColor(Color color);
    virtual void setFrameColor(Color color);
    virtual void setShadowColor(Color color);
    virtual void setHorizontalAlign(int32_t align);
    virtual void setBackgroundOffset(Point offset) { backgroundOffset = offset; }
    virtual void setStringConvert(StringConvert convert) { stringConvert = convert; }

    int32_t getFont() const { return fontId; }
    Color getFontColor() const { return fontColor; }
    Color getBackColor() const { return backColor; }
    Color getFrameColor() const { return frameColor; }
    Color getShadowColor() const { return shadowColor; }
    int32_t getHorizontalAlign() const { return horizontalAlign; }
    int32_t getStyle() const { return style; }

protected:
    // For the editable subclasses, which have a listener and a tag.
    ParamDisplay(const Rect& displaySize, ControlListener* displayListener, int32_t displayTag,
                 Bitmap* backgroundPicture, int32_t displayStyle);

    // Box, bevel, shadow and text; a picture given here replaces the background.
    void drawText(DrawContext& context, const char* text, Bitmap* replacement = nullptr);

private:
    void drawBox(DrawContext& context, Bitmap* replacement);
    void drawBevel(DrawContext& context);
    void changeColor(Color& setting, Color color);

    int32_t horizontalAlign = 1;
    int32_t style;
    int32_t fontId = kFontNormal;
    Color fontColor = kWhiteColor;
    Color backColor = kBlackColor;
    Color frameColor = kBlackColor;
    Color shadowColor = kRedColor;
    Point backgroundOffset;
    SharedBitmap background;
    StringConvert stringConvert = nullptr;
};
