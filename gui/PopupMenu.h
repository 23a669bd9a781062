// A popup menu of text items, shown by the platform and run until the user
// chooses or dismisses it: the system's own menu where there is one (Win32),
// one the toolkit draws itself where there is none (X11).
#pragma once

#include <cstdint>

#include "gui/Geometry.h"

class Frame;
class PopupMenu;

struct PopupMenuItem {
    const char* text;
    bool separator;
    bool checked;
};

// Null when it cannot be made. The items are copied.
PopupMenu* createPopupMenu(const PopupMenuItem* items, int32_t count);
// Shows the menu with its top-left corner at where (frame coordinates) and
// blocks until it closes; the host's work goes on meanwhile, and it may close
// the frame. The chosen item's index, or -1 when none was chosen.
int32_t trackPopupMenu(PopupMenu& menu, Frame& frame, Point where);
void destroyPopupMenu(PopupMenu* menu);
