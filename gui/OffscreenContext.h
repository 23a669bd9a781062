// A drawing context over a memory bitmap, for flicker-free composition: draw
// into it, then copyTo a window's context.
#pragma once

#include <cstdint>

#include "gui/Color.h"
#include "gui/DrawContext.h"

class Bitmap;

class OffscreenContext : public DrawContext {
public:
    // A width x height memory picture compatible with the frame's window,
    // every pixel cleared to background.
    OffscreenContext(Frame* frame, int32_t width, int32_t height, Color background);
    // A memory picture compatible with source holding a copy of picture;
    // 20 x 20 black without one.
    OffscreenContext(DrawContext& source, Bitmap* picture);
    ~OffscreenContext() override;

    // Copies r.width() x r.height() pixels from source in the memory picture
    // to (r.left, r.top) of destination.
    void copyTo(DrawContext& destination, const Rect& r, Point source);

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    Color getBackgroundColor() const { return backgroundColor; }

private:
    // The platform's memory picture of width x height, compatible with the
    // frame's window, or with a surface.
    void createMemoryBitmapFor(Frame* owner);
    void createMemoryBitmap(SystemContext compatibleWith);

    bool ownsBitmap = false;
    int32_t height;
    int32_t width;
    Color backgroundColor;
};
