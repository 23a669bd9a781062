// The toolkit's handles on Win32: device contexts, windows, modules and
// pictures of USER and GDI, and the GDI objects a drawing context owns.
#pragma once

#include <windows.h>

using SystemContext = HDC;
using SystemWindow = HWND;
using SystemModule = HINSTANCE;
using SystemPicture = HBITMAP;

// The pen, brush and font a drawing context made, and those it found
// selected in the device context, to put back when it goes.
struct DrawingObjects {
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    HGDIOBJ savedBrush = nullptr;
    HGDIOBJ savedPen = nullptr;
    HGDIOBJ savedFont = nullptr;
    UINT penStyle = PS_SOLID;
};

// What a frame keeps of its window beyond the handle.
struct FrameWindowState {
    // Counted in the class's use count, whether or not the window came up.
    bool usesClass = false;
};
