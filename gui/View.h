// A rectangle of the editor that draws itself, takes mouse clicks and
// refreshes itself when its state changed.
#pragma once

#include "gui/Geometry.h"

class DrawContext;
class Frame;
class OffscreenContext;

class View {
public:
    explicit View(const Rect& viewSize) : size(viewSize) {}
    virtual ~View() = default;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    virtual void draw(DrawContext& context);
    virtual void onMouseDown(DrawContext& context, Point where);
    virtual void update(DrawContext& context);
    virtual void onFocusLost() {}
    virtual void onFocusGained() {}
    // Kept only when the offscreen bitmap is at least as large as the view.
    virtual void attachOffscreen(OffscreenContext* context);

    Frame* getParent() const { return parent; }
    OffscreenContext* getOffscreen() const { return offscreen; }
    // Draws the view at once through its frame; nothing before it is added.
    void redraw();

    // In the frame's child-window coordinates.
    Rect size;

protected:
    friend class Frame;

    Frame* parent = nullptr;
    OffscreenContext* offscreen = nullptr;
};
