// Pixels read back from the screen or from a BITMAP resource, to compare what
// the editor shows with the pictures it is built from.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class Picture {
public:
    Picture() = default;
    // The window's client area as it is on the screen now.
    static Picture ofWindow(HWND window);
    static Picture ofResource(HMODULE module, int resourceId);

    int width() const { return w; }
    int height() const { return h; }
    // 0x00RRGGBB.
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * w + x)]; }
    // Empty when the rectangle does not lie inside the picture.
    Picture crop(int left, int top, int cropWidth, int cropHeight) const;
    // Pixels that differ, or -1 when the sizes differ or there is nothing to compare.
    int differencesFrom(const Picture& other) const;

private:
    static Picture copyOf(HDC source, int width, int height);

    int w = 0;
    int h = 0;
    std::vector<uint32_t> pixels;
};
