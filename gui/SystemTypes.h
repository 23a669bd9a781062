// The seam between the toolkit and its window system: the handles the
// platform-free code passes around without looking inside. Each backend
// (gui/win32, gui/x11) says what they are and implements the operations
// the toolkit's headers declare for it.
#pragma once

#ifdef _WIN32
#include "gui/win32/Win32Types.h"
#else
#include "gui/x11/X11Types.h"
#endif
