// Offscreen drawing on X11: a pixmap on the frame's connection with a
// surface of its own, copied to a window with XCopyArea.
#include <new>

#include "gui/Bitmap.h"
#include "gui/Frame.h"
#include "gui/OffscreenContext.h"
#include "gui/x11/X11Surface.h"

namespace {

constexpr int32_t kSizeWithoutPicture = 20;

unsigned int side(int32_t length) { return length > 0 ? static_cast<unsigned int>(length) : 1u; }

}  // namespace

OffscreenContext::OffscreenContext(Frame* owner, int32_t w, int32_t h, Color background)
    : DrawContext(owner, nullptr, nullptr), height(h), width(w), backgroundColor(background) {
    createMemoryBitmap(owner ? owner->getWindow() : nullptr);
    const Rect all(0, 0, width, height);
    setFillColor(background);
    setFrameColor(background);
    fillRect(all);
    drawRect(all);
}

OffscreenContext::OffscreenContext(DrawContext& source, Bitmap* picture)
    : DrawContext(source.getFrame(), nullptr, nullptr),
      height(picture ? picture->getHeight() : kSizeWithoutPicture),
      width(picture ? picture->getWidth() : kSizeWithoutPicture),
      backgroundColor(kBlackColor) {
    createMemoryBitmap(source.getSystemContext());
    const Rect all(0, 0, width, height);
    if (picture) {
        picture->draw(*this, all, Point(0, 0));
    } else {
        setFillColor(kBlackColor);
        fillRect(all);
    }
}

// Without a surface to be compatible with (a frame without a window) there
// is no pixmap, and drawing into the context does nothing.
void OffscreenContext::createMemoryBitmap(X11Surface* compatibleWith) {
    if (!compatibleWith || !compatibleWith->connection) return;
    X11Surface* surface = new (std::nothrow) X11Surface(*compatibleWith);
    if (!surface) return;
    surface->isWindow = false;
    surface->drawable = XCreatePixmap(surface->display, compatibleWith->drawable, side(width), side(height),
                                      static_cast<unsigned int>(surface->depth));
    systemContext = surface;
    ownsBitmap = true;
}

OffscreenContext::~OffscreenContext() {
    releaseObjects();
    if (systemContext && ownsBitmap) {
        XFreePixmap(systemContext->display, systemContext->drawable);
        delete systemContext;
    }
    systemContext = nullptr;
}

void OffscreenContext::copyTo(DrawContext& destination, const Rect& r, Point source) {
    X11Surface* target = destination.getSystemContext();
    if (!systemContext || !target || target->display != systemContext->display) return;
    if (r.width() <= 0 || r.height() <= 0) return;
    GC gc = XCreateGC(target->display, target->drawable, 0, nullptr);
    XCopyArea(target->display, systemContext->drawable, target->drawable, gc, source.h, source.v,
              side(r.width()), side(r.height()), r.left, r.top);
    XFreeGC(target->display, gc);
}
