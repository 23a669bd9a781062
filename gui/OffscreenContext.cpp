#include "gui/OffscreenContext.h"

#include "gui/Bitmap.h"

namespace {

constexpr int32_t kSizeWithoutPicture = 20;

}  // namespace

OffscreenContext::OffscreenContext(Frame* owner, int32_t w, int32_t h, Color background)
    : DrawContext(owner, nullptr, nullptr), height(h), width(w), backgroundColor(background) {
    createMemoryBitmapFor(owner);
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
        setFillColor(kBlackColor);  // a context built without a surface has no brush yet
        fillRect(all);
    }
}
