// The popup menu on Win32: the system's own, tracked with the left button;
// the choice arrives as a command message to the frame's window.
#include <new>

#include "gui/Frame.h"
#include "gui/PopupMenu.h"

class PopupMenu {
public:
    HMENU menu = nullptr;
};

namespace {

// The click that closes a popup may leave a press and a release behind.
constexpr int kLeftoverClickPasses = 2;

}  // namespace

PopupMenu* createPopupMenu(const PopupMenuItem* items, int32_t count) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    for (int32_t i = 0; i < count; ++i) {
        if (items[i].separator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        AppendMenuA(menu, MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(i),
                    items[i].text);
    }
    auto* popup = new (std::nothrow) PopupMenu;
    if (!popup) {
        DestroyMenu(menu);
        return nullptr;
    }
    popup->menu = menu;
    return popup;
}

int32_t trackPopupMenu(PopupMenu& popup, Frame& frame, Point where) {
    HWND owner = frame.getWindow();
    RECT window{};
    GetWindowRect(owner, &window);
    int32_t chosen = -1;
    MSG message;
    if (TrackPopupMenu(popup.menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, window.left + where.h, window.top + where.v, 0,
                       owner, nullptr) &&
        PeekMessageA(&message, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(message.wParam) == 0) {
        chosen = LOWORD(message.wParam);
    }
    for (int pass = 0; pass < kLeftoverClickPasses; ++pass) {
        PeekMessageA(&message, owner, WM_LBUTTONDOWN, WM_MBUTTONUP, PM_REMOVE);
    }
    return chosen;
}

void destroyPopupMenu(PopupMenu* popup) {
    if (!popup) return;
    DestroyMenu(popup->menu);
    delete popup;
}
