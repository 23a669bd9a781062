#include "gui/OffscreenContext.h"

#include "gui/Frame.h"

void OffscreenContext::createMemoryBitmapFor(Frame* owner) {
    HWND frameWindow = owner ? owner->getWindow() : nullptr;
    HDC windowContext = GetDC(frameWindow);
    createMemoryBitmap(windowContext);
    ReleaseDC(frameWindow, windowContext);
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
