#include "Picture.h"

Picture Picture::copyOf(HDC source, int width, int height) {
    Picture picture;
    if (width <= 0 || height <= 0) return picture;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) return picture;
    HDC copy = CreateCompatibleDC(source);
    HGDIOBJ previous = SelectObject(copy, section);
    BitBlt(copy, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    picture.w = width;
    picture.h = height;
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = words[i] & 0xFFFFFF;
    SelectObject(copy, previous);
    DeleteDC(copy);
    DeleteObject(section);
    return picture;
}

Picture Picture::ofWindow(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC context = GetDC(window);
    Picture picture = copyOf(context, client.right, client.bottom);
    ReleaseDC(window, context);
    return picture;
}

Picture Picture::ofResource(HMODULE module, int resourceId) {
    HBITMAP loaded = LoadBitmapA(module, MAKEINTRESOURCEA(resourceId));
    if (!loaded) return Picture();
    BITMAP description{};
    GetObjectA(loaded, sizeof description, &description);
    HDC screen = GetDC(nullptr);
    HDC holder = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(holder, loaded);
    Picture picture = copyOf(holder, description.bmWidth, description.bmHeight);
    SelectObject(holder, previous);
    DeleteDC(holder);
    ReleaseDC(nullptr, screen);
    DeleteObject(loaded);
    return picture;
}

Picture Picture::crop(int left, int top, int cropWidth, int cropHeight) const {
    Picture part;
    if (left < 0 || top < 0 || cropWidth <= 0 || cropHeight <= 0 || left + cropWidth > w || top + cropHeight > h) {
        return part;
    }
    part.w = cropWidth;
    part.h = cropHeight;
    part.pixels.reserve(static_cast<size_t>(cropWidth) * static_cast<size_t>(cropHeight));
    for (int y = top; y < top + cropHeight; ++y) {
        for (int x = left; x < left + cropWidth; ++x) part.pixels.push_back(at(x, y));
    }
    return part;
}

int Picture::differencesFrom(const Picture& other) const {
    if (pixels.empty() || w != other.w || h != other.h) return -1;
    int count = 0;
    for (size_t i = 0; i < pixels.size(); ++i) count += pixels[i] != other.pixels[i] ? 1 : 0;
    return count;
}
