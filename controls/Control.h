// The view that carries a value: a float with a range and a default, a tag
// and the listener it tells about user changes. It never redraws itself on
// setValue; update redraws it when the value differs from what it last drew.
#pragma once

#include <cstdint>

#include "controls/ControlListener.h"
#include "gui/View.h"

class Control : public View {
public:
    Control(const Rect& controlSize, ControlListener* controlListener, int32_t controlTag);

    void draw(DrawContext& context) override = 0;
    void update(DrawContext& context) override;

    // One pass of the editor's idle work from inside a tracking loop; nothing
    // before the control is in a frame of an editor.
    virtual void trackingIdle();
    // Stored as given: no clamping, no redraw, no notification.
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    virtual void setMinimum(float newMinimum) { minimum = newMinimum; }
    virtual float getMinimum() const { return minimum; }
    virtual void setMaximum(float newMaximum) { maximum = newMaximum; }
    virtual float getMaximum() const { return maximum; }
    virtual void setDrawnValue(float newDrawnValue) { drawnValue = newDrawnValue; }
    virtual float getDrawnValue() const { return drawnValue; }
    virtual void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setAcceptsMouse(bool accepts) { acceptsMouse = accepts; }
    virtual bool getAcceptsMouse() const { return acceptsMouse; }

    int32_t getTag() const { return tag; }
    ControlListener* getListener() const { return listener; }

protected:
    // Tells the listener, if there is one, whatever the value.
    void notify(DrawContext& context);
    // Tells the listener only when the value differs from the one last drawn,
    // so a drag that does not move the value stays quiet.
    void notifyIfChanged(DrawContext& context);
    // Left button with Alt and nothing else restores the default and notifies;
    // true when the press was that gesture and the handler should return.
    bool resetOnAltClick(DrawContext& context);
    // The tail of one tracking-loop pass, after the value was computed from
    // where: notify, read the pointer into where, run the idle work. Returns
    // the buttons and keys held now, for the loop's condition.
    int32_t followPointer(DrawContext& context, Point& where);
    // Both mark the control out of date when what it shows changed but its
    // value did not, so that the next update draws it.
    void forceRedraw();
    void forceRedrawByFlip() { drawnValue = value == 0.0f ? 1.0f : 0.0f; }

    ControlListener* listener;
    int32_t tag;
    bool acceptsMouse = true;
    // Outside 0..1, so the first update always draws.
    float drawnValue = -1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
};
