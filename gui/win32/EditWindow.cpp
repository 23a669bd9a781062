// The text entry on Win32: the system's EDIT window over the view, with the
// toolkit's font, its procedure replaced by one that reports Return and the
// loss of the keyboard focus.
#include <cstring>
#include <new>

#include "gui/Fonts.h"
#include "gui/Frame.h"
#include "gui/TextEntry.h"

class TextEntry {
public:
    HWND window = nullptr;
    HFONT font = nullptr;
    TextEntryClient* client = nullptr;
};

namespace {

// Every edit window is of the one system class, so one saved procedure
// serves them all.
WNDPROC previousEditProc = nullptr;

constexpr UINT kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_CENTER;
constexpr BYTE kSwissVariablePitch = VARIABLE_PITCH | FF_SWISS;

HFONT createEditFont(int32_t fontId) {
    const FontEntry& entry = fontEntry(fontId);
    LOGFONTA description{};
    description.lfHeight = -entry.size;
    description.lfWeight = FW_NORMAL;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfPitchAndFamily = kSwissVariablePitch;
    std::strncpy(description.lfFaceName, entry.faceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}

LRESULT CALLBACK editWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILLFOCUS || (message == WM_KEYDOWN && wParam == VK_RETURN)) {
        auto* entry = reinterpret_cast<TextEntry*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (entry && entry->client) entry->client->entryFinished();
        // The edit window is gone: nothing is left to pass the message to.
        if (!IsWindow(window)) return 0;
    }
    return CallWindowProcA(previousEditProc, window, message, wParam, lParam);
}

}  // namespace

TextEntry* openTextEntry(Frame& frame, const Rect& box, const char* text, int32_t fontId, TextEntryClient& client) {
    auto* entry = new (std::nothrow) TextEntry;
    if (!entry) return nullptr;
    entry->client = &client;
    entry->window = CreateWindowExA(0, "EDIT", text, kEditStyle, box.left, box.top, box.width() + 1, box.height() + 1,
                                    frame.getWindow(), nullptr, frame.getModule(), nullptr);
    if (!entry->window) {
        delete entry;
        return nullptr;
    }
    entry->font = createEditFont(fontId);
    SetWindowLongPtrA(entry->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(entry));
    SendMessageA(entry->window, WM_SETFONT, reinterpret_cast<WPARAM>(entry->font), TRUE);
    SendMessageA(entry->window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SetFocus(entry->window);
    previousEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(entry->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editWindowProc)));
    return entry;
}

void readTextEntry(const TextEntry& entry, char* text, size_t size) {
    GetWindowTextA(entry.window, text, static_cast<int>(size));
}

// Destroying a focused window takes its focus away: the procedure must then
// find no entry to finish a second time.
void closeTextEntry(TextEntry* entry) {
    if (!entry) return;
    SetWindowLongPtrA(entry->window, GWLP_USERDATA, 0);
    DestroyWindow(entry->window);
    if (entry->font) DeleteObject(entry->font);  // only once no window uses it
    delete entry;
}

SystemWindow textEntryWindow(const TextEntry* entry) { return entry ? entry->window : nullptr; }
