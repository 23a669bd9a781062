// Offscreen drawing on X11: a pixmap on the frame's connection with a
// surface of its own, copied to a window with XCopyArea.
#include <new>

#include "gui/Frame.h"
#include "gui/OffscreenContext.h"
#include "gui/x11/X11Surface.h"

namespace {

unsigned int side(int32_t length) { return length > 0 ? static_cast<unsigned int>(length) : 1u; }

}  // namespace

void OffscreenContext::createMemoryBitmapFor(Frame* owner) { createMemoryBitmap(owner ? owner->getWindow() : nullptr); }

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
