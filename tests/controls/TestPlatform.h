// What the control tests need of the window system, with one meaning on
// both: surfaces to draw into and read back, colours as COLORREF-ordered
// integers, the modifier keys, and whether a window still exists.
#pragma once

#ifdef _WIN32
#include "win32/Win32TestPlatform.h"
#else
#include "x11/X11TestPlatform.h"
#endif
