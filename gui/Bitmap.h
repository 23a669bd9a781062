// A picture from the program's or plug-in's own pictures, shared by
// reference count.
#pragma once

#include <cstdint>

#include "gui/Geometry.h"
#include "gui/SystemTypes.h"

class DrawContext;

class Bitmap {
public:
    // A picture that does not load gives an empty 0 x 0 picture that draws
    // nothing. Loaded from the toolkit's own module unless one is named.
    explicit Bitmap(int32_t resourceId, SystemModule module = nullptr);
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void remember() { ++refCount; }
    // Deletes the picture when the last holder lets go.
    void forget();

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getResourceId() const { return resourceId; }
    int32_t getRefCount() const { return refCount; }
    SystemPicture getHandle() const { return handle; }
    SystemPicture getMaskHandle() const { return maskHandle; }

    // Copies r.width() x r.height() pixels from offset in the picture to
    // (r.left, r.top); offset picks one image of a strip.
    void draw(DrawContext& context, const Rect& r, Point offset);
    // As draw, but pixels of kTransparentColor leave the destination unchanged.
    void drawTransparent(DrawContext& context, const Rect& r, Point offset);

private:
    ~Bitmap();  // only forget() deletes

    SystemPicture createMask(SystemContext destination);

    int32_t resourceId;
    SystemPicture handle = nullptr;
    SystemPicture maskHandle = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t refCount = 1;
};
