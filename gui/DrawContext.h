// The toolkit's only way to draw: one platform drawing surface plus the pen,
// brush, font and colours the toolkit keeps itself. Lives for one paint, one
// click (with any tracking loop inside it) or one idle pass.
#pragma once

#include <cstdint>

#include "gui/Color.h"
#include "gui/Fonts.h"
#include "gui/Geometry.h"
#include "gui/SystemTypes.h"

class Frame;

enum LineStyle : int32_t {
    kLineSolid = 0,
    kLineDotted = 1,
};

enum TextAlign : int32_t {
    kAlignLeft = 0,
    kAlignCenter = 1,
    kAlignRight = 2,
};

enum MouseState : int32_t {
    kLeftButton = 1,
    kMiddleButton = 2,
    kRightButton = 4,
    kShiftKey = 8,
    kControlKey = 16,
    kAltKey = 32,
};

class DrawContext {
public:
    // The surface stays the caller's: it is released by whoever got it, after
    // this context is deleted. window is where pointer positions are mapped to.
    DrawContext(Frame* frame, SystemContext systemContext, SystemWindow window);
    virtual ~DrawContext();
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    void setFrameColor(Color color);
    void setLineWidth(int32_t width);
    void setLineStyle(int32_t style);
    void setFillColor(Color color);
    void setFontColor(Color color);
    void setFont(int32_t id, int32_t size = 0);

    Color getFrameColor() const { return frameColor; }
    int32_t getLineWidth() const { return frameWidth; }
    int32_t getLineStyle() const { return lineStyle; }
    Color getFillColor() const { return fillColor; }
    Color getFontColor() const { return fontColor; }
    int32_t getFontSize() const { return fontSize; }

    void moveTo(Point p);
    void lineTo(Point p);
    void polyLine(const Point* points, int32_t count);
    void polygon(const Point* points, int32_t count);
    void drawRect(const Rect& r);
    void fillRect(const Rect& r);
    void drawEllipse(const Rect& r);
    void fillEllipse(const Rect& r);
    void drawArc(const Rect& r, Point start, Point end);
    void fillPie(const Rect& r, Point start, Point end);
    void drawPoint(Point p, Color color);
    void drawString(const char* text, const Rect& r, int16_t opaque, int32_t align);

    // Readings of this instant, not of the event that started the gesture.
    int32_t getMouseButtons() const;
    void getMouseLocation(Point& p) const;

    SystemContext getSystemContext() const { return systemContext; }
    SystemWindow getWindow() const { return window; }
    Frame* getFrame() const { return frame; }
    // The platform's objects this context made and selected.
    const DrawingObjects& getObjects() const { return objects; }

protected:
    // Gives back what the context made; where that leaves nothing to give
    // back (X11), a subclass may call it before it takes its surface away.
    void releaseObjects();

    SystemContext systemContext;
    SystemWindow window;
    Frame* frame;

private:
    // The platform's half of the setters: make the new object and select it.
    void rebuildPen();
    void applyFillColor();
    void applyFontColor();
    void applyFont(const FontEntry& entry);

    int32_t fontSize = 0;
    Color fontColor = kWhiteColor;
    int32_t frameWidth = 1;
    Color frameColor = kWhiteColor;
    Color fillColor = kBlackColor;
    int32_t lineStyle = kLineSolid;
    DrawingObjects objects;
};
