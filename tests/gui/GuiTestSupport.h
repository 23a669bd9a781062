// What the GUI tests share: pixel surfaces, the windows a host would give the
// editor, a recording view and a count of the process's GDI objects.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "gui/Color.h"
#include "gui/Geometry.h"
#include "gui/View.h"
#include "RecordingView.h"

inline COLORREF rgb(Color c) { return c.toColorRef(); }

// A memory device context over a screen-compatible bitmap, as a window's
// paint context would be, filled with one colour.
class MemorySurface {
public:
    MemorySurface(int width, int height, COLORREF fill);
    ~MemorySurface();
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    HDC dc() const { return context; }
    COLORREF pixel(int x, int y) const { return GetPixel(context, x, y); }
    int width() const { return w; }
    int height() const { return h; }
    // Points whose colour differs from the fill.
    std::vector<POINT> inked() const;
    // The smallest rectangle holding every inked pixel, right and bottom inclusive.
    Rect inkBounds() const;
    bool samePixels(const MemorySurface& other) const;

private:
    int w;
    int h;
    COLORREF fillColor;
    HDC context;
    HBITMAP bitmap;
    HGDIOBJ original;
};

// One visible top-level window for the whole test program: destroying a
// top-level window costs seconds here without a window manager.
HWND testTopWindow();
// A child of the top-level window standing for the window a host hands the editor.
HWND createHostWindow(HWND parent, int x, int y, int width, int height);
void pumpMessages();
// Waits until the tick count has moved on by at least this many milliseconds:
// under Wine a Sleep of 60 ms sometimes moves it by less than 50.
void waitTicks(DWORD milliseconds);

// Live GDI objects of this process, or -1 where they cannot be counted.
int gdiObjectCount();
