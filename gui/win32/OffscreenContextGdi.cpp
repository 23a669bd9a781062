#include "gui/OffscreenContext.h"

#include "gui/Bitmap.h"
#include "gui/Frame.h"

namespace {

constexpr int32_t kSizeWithoutPicture = 20;

}  // namespace

OffscreenContext::OffscreenContext(Frame* owner, int32_t w, int32_t h, Color background)
    : DrawContext(owner, nullptr, nullptr), height(h), width(w), backgroundColor(background) {
    HWND frameWindow = owner ? owner->getWindow() : nullptr;
    HDC windowContext = GetDC(frameWindow);
    createMemoryBitmap(windowContext);
    ReleaseDC(frameWindow, windowContext);

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
        setFillColor(kBlackColor);  // a context built without a device context has no brush yet
        fillRect(all);
    }
}

OffscreenContext::~OffscreenContext() {
    if (systemContext) DeleteDC(systemContext);
    if (ownsBitmap && window) DeleteObject(reinterpret_cast<HBITMAP>(window));
}

void OffscreenContext::createMemoryBitmap(HDC compatibleWith) {
    systemContext = CreateCompatibleDC(compatibleWith);
    HBITMAP bitmap = CreateCompatibleBitmap(compatibleWith, width, height);
    window = reinterpret_cast<HWND>(bitmap);
    ownsBitmap = true;
    SelectObject(systemContext, bitmap);
}

void OffscreenContext::copyTo(DrawContext& destination, const Rect& r, Point source) {
    BitBlt(destination.getSystemContext(), r.left, r.top, r.width(), r.height(), systemContext, source.h,
           source.v, SRCCOPY);
}
