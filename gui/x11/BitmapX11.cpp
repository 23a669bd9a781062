// Pictures on X11: decoded once from the compiled-in BMP file and sent to the
// server with XPutImage whenever they are drawn; transparent drawing clips
// the copy with the picture's mask.
#include <X11/Xutil.h>

#include <new>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/Color.h"
#include "gui/DrawContext.h"
#include "gui/x11/PictureResources.h"
#include "gui/x11/X11Picture.h"
#include "gui/x11/X11Surface.h"

namespace {

constexpr uint32_t kKeyColour = static_cast<uint32_t>(kTransparentColor.red) << 16 |
                                static_cast<uint32_t>(kTransparentColor.green) << 8 | kTransparentColor.blue;

// The part of a copy that lies inside the picture; nothing outside it is read.
struct Copy {
    int sourceX;
    int sourceY;
    int destinationX;
    int destinationY;
    int width;
    int height;
};

bool clipToPicture(const X11Picture& picture, const Rect& r, Point offset, Copy& copy) {
    copy = Copy{offset.h, offset.v, r.left, r.top, r.width(), r.height()};
    if (copy.sourceX < 0) {
        copy.destinationX -= copy.sourceX;
        copy.width += copy.sourceX;
        copy.sourceX = 0;
    }
    if (copy.sourceY < 0) {
        copy.destinationY -= copy.sourceY;
        copy.height += copy.sourceY;
        copy.sourceY = 0;
    }
    if (copy.sourceX + copy.width > picture.width) copy.width = picture.width - copy.sourceX;
    if (copy.sourceY + copy.height > picture.height) copy.height = picture.height - copy.sourceY;
    return copy.width > 0 && copy.height > 0;
}

bool isPlainTrueColour(const X11Surface& surface) {
    const Visual* v = surface.visual;
    return v && v->red_mask == 0xFF0000u && v->green_mask == 0xFF00u && v->blue_mask == 0xFFu &&
           (surface.depth == 24 || surface.depth == 32);
}

// The picture's pixels as the surface's visual wants them: the picture itself
// for the usual 24-bit true colour, a converted copy otherwise.
const uint32_t* visualPixels(const X11Picture& picture, const X11Surface& surface, std::vector<uint32_t>& converted) {
    if (isPlainTrueColour(surface)) return picture.pixels.get();
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    converted.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = picture.pixels[i];
        const Color c{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p), 0};
        converted[i] = static_cast<uint32_t>(pixelOf(surface, c));
    }
    return converted.data();
}

void putPicture(DrawContext& context, const X11Picture& picture, const Copy& copy) {
    X11Surface* surface = context.getSystemContext();
    GC gc = context.getObjects().gc;
    std::vector<uint32_t> converted;
    const uint32_t* pixels = visualPixels(picture, *surface, converted);
    XImage* image = XCreateImage(surface->display, surface->visual, static_cast<unsigned>(surface->depth), ZPixmap, 0,
                                 reinterpret_cast<char*>(const_cast<uint32_t*>(pixels)),
                                 static_cast<unsigned>(picture.width), static_cast<unsigned>(picture.height), 32,
                                 picture.width * 4);
    if (!image) return;
    XPutImage(surface->display, surface->drawable, gc, image, copy.sourceX, copy.sourceY, copy.destinationX,
              copy.destinationY, static_cast<unsigned>(copy.width), static_cast<unsigned>(copy.height));
    image->data = nullptr;  // the pixels stay the picture's
    XDestroyImage(image);
}

// The mask's bits for the copied block, as a one-bit pixmap.
Pixmap maskPixmap(const X11Surface& surface, const X11Picture& mask, const Copy& copy) {
    const size_t rowBytes = (static_cast<size_t>(copy.width) + 7u) / 8u;
    std::vector<char> bits(rowBytes * static_cast<size_t>(copy.height), 0);
    for (int y = 0; y < copy.height; ++y) {
        const uint32_t* row = mask.pixels.get() + static_cast<size_t>(copy.sourceY + y) * static_cast<size_t>(mask.width);
        for (int x = 0; x < copy.width; ++x) {
            if (row[copy.sourceX + x]) bits[static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) / 8u] |= static_cast<char>(1 << (x % 8));
        }
    }
    return XCreateBitmapFromData(surface.display, surface.drawable, bits.data(), static_cast<unsigned>(copy.width),
                                 static_cast<unsigned>(copy.height));
}

}  // namespace

Bitmap::Bitmap(int32_t id, SystemModule) : resourceId(id) {
    const PictureResource* resource = PictureTable::find(id);
    if (!resource) return;
    handle = decodeBmp(resource->bytes, resource->size);
    if (!handle) return;
    width = handle->width;
    height = handle->height;
}

Bitmap::~Bitmap() {
    delete handle;
    delete maskHandle;
}

void Bitmap::draw(DrawContext& context, const Rect& r, Point offset) {
    Copy copy{};
    if (!handle || !context.getSystemContext() || !clipToPicture(*handle, r, offset, copy)) return;
    putPicture(context, *handle, copy);
}

SystemPicture Bitmap::createMask(SystemContext) { return opaqueMask(*handle, kKeyColour); }

void Bitmap::drawTransparent(DrawContext& context, const Rect& r, Point offset) {
    Copy copy{};
    if (!handle || !context.getSystemContext() || !clipToPicture(*handle, r, offset, copy)) return;
    if (!maskHandle) maskHandle = createMask(context.getSystemContext());
    if (!maskHandle) return;
    const X11Surface& surface = *context.getSystemContext();
    GC gc = context.getObjects().gc;
    const Pixmap clip = maskPixmap(surface, *maskHandle, copy);
    if (!clip) return;
    XSetClipMask(surface.display, gc, clip);
    XSetClipOrigin(surface.display, gc, copy.destinationX, copy.destinationY);
    putPicture(context, *handle, copy);
    XSetClipMask(surface.display, gc, None);
    XFreePixmap(surface.display, clip);
}
