#include "gui/Bitmap.h"

#include "gui/Color.h"
#include "gui/DrawContext.h"
#include "gui/ToolkitModule.h"
#include "gui/win32/MemoryContext.h"

namespace {

// The picture's size in the logical units of the context it is selected into.
POINT logicalSize(HBITMAP picture, HDC context) {
    BITMAP description{};
    GetObjectA(picture, sizeof description, &description);
    POINT size{description.bmWidth, description.bmHeight};
    DPtoLP(context, &size, 1);
    return size;
}

void copy(HDC to, HDC from, POINT size, DWORD operation) {
    BitBlt(to, 0, 0, size.x, size.y, from, 0, 0, operation);
}

}  // namespace

Bitmap::Bitmap(int32_t id, HINSTANCE module) : resourceId(id) {
    handle = LoadBitmapA(module ? module : toolkitModule(), MAKEINTRESOURCEA(static_cast<WORD>(id)));
    if (!handle) return;
    BITMAP description{};
    if (GetObjectA(handle, sizeof description, &description)) {
        width = description.bmWidth;
        height = description.bmHeight;
    }
}

Bitmap::~Bitmap() {
    if (handle) DeleteObject(handle);
    if (maskHandle) DeleteObject(maskHandle);
}

void Bitmap::draw(DrawContext& context, const Rect& r, Point offset) {
    if (!handle) return;
    MemoryContext picture(context.getSystemContext());
    picture.select(handle);
    BitBlt(context.getSystemContext(), r.left, r.top, r.width(), r.height(), picture.get(), offset.h,
           offset.v, SRCCOPY);
}

// The mask is 1 where the picture has the key colour, by the platform's rule
// for copying colour into monochrome against the source's background colour.
HBITMAP Bitmap::createMask(HDC destination) {
    MemoryContext picture(destination);
    picture.select(handle);
    const POINT size = logicalSize(handle, picture.get());
    HBITMAP mask = CreateBitmap(size.x, size.y, 1, 1, nullptr);
    MemoryContext maskContext(destination);
    maskContext.select(mask);
    SetMapMode(picture.get(), GetMapMode(destination));
    const COLORREF previousBackground = SetBkColor(picture.get(), kTransparentColor.toColorRef());
    copy(maskContext.get(), picture.get(), size, SRCCOPY);
    SetBkColor(picture.get(), previousBackground);
    return mask;
}

void Bitmap::drawTransparent(DrawContext& context, const Rect& r, Point offset) {
    if (!handle) return;
    HDC destination = context.getSystemContext();
    const int32_t x = r.left + offset.h;
    const int32_t y = r.top + offset.v;
    if (!maskHandle) maskHandle = createMask(destination);

    MemoryContext source(destination);
    source.select(handle);
    const POINT size = logicalSize(handle, source.get());
    TemporaryBitmap opaqueBits(CreateBitmap(size.x, size.y, 1, 1, nullptr));
    TemporaryBitmap blend(CreateCompatibleBitmap(destination, size.x, size.y));
    TemporaryBitmap keep(CreateCompatibleBitmap(destination, size.x, size.y));
    MemoryContext opaque(destination);
    opaque.select(opaqueBits.get());
    MemoryContext mask(destination);
    mask.select(maskHandle);
    MemoryContext result(destination);
    result.select(blend.get());
    MemoryContext untouched(destination);
    untouched.select(keep.get());

    copy(untouched.get(), source.get(), size, SRCCOPY);
    copy(opaque.get(), mask.get(), size, NOTSRCCOPY);
    BitBlt(result.get(), 0, 0, size.x, size.y, destination, x, y, SRCCOPY);
    copy(result.get(), mask.get(), size, SRCAND);
    copy(source.get(), opaque.get(), size, SRCAND);
    copy(result.get(), source.get(), size, SRCPAINT);
    BitBlt(destination, x, y, r.width(), r.height(), result.get(), offset.h, offset.v, SRCCOPY);
    copy(source.get(), untouched.get(), size, SRCCOPY);
}
