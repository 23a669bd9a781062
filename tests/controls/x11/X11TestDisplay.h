// The X connection the tests use as a host uses its own: windows to put
// frames in, pixels read back, and an error count of its own.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

class X11Connection;

X11Connection& testConnection();
Display* testDisplay();
// Pixels of a window or pixmap, rows from the top, as colourRef gives them.
std::vector<uint32_t> pixelsOfDrawable(unsigned long drawable, int x, int y, int width, int height);
