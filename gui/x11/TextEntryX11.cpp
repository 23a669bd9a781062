// The text entry on X11, which has no edit window of its own: a child of
// the frame's window that the toolkit draws, black on white and centred as
// the Win32 entry is, with the keyboard focus. Return or the loss of the
// focus ends the edit; Escape does nothing, as in the Win32 entry.
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstring>
#include <new>

#include "gui/Frame.h"
#include "gui/TextEntry.h"
#include "gui/x11/X11Connection.h"
#include "gui/x11/X11Surface.h"
#include "gui/x11/XftFonts.h"

namespace {

constexpr size_t kTextSize = 256;  // the text controls' buffers

}  // namespace

class TextEntry final : public X11EventTarget {
public:
    void handleEvent(XEvent& event) override;
    void redraw();
    // False when the key ended the edit (the entry is gone then).
    bool typeKey(XKeyEvent& key);

    TextEntryClient* client = nullptr;
    X11Connection* connection = nullptr;
    X11Surface surface;
    XftFont* font = nullptr;
    XftDraw* text = nullptr;
    GC gc = nullptr;
    int width = 0;
    int height = 0;
    char typed[kTextSize] = "";
    size_t length = 0;
    size_t caret = 0;
};

namespace {

constexpr long kEntryEvents = ExposureMask | KeyPressMask | FocusChangeMask;
constexpr Color kEntryBack = kWhiteColor;
constexpr Color kEntryInk = kBlackColor;

int textWidth(const TextEntry& entry, size_t count) {
    XGlyphInfo extents{};
    XftTextExtents8(entry.surface.display, entry.font, reinterpret_cast<const FcChar8*>(entry.typed),
                    static_cast<int>(count), &extents);
    return extents.xOff;
}

void insert(TextEntry& entry, char c) {
    if (entry.length >= kTextSize - 1) return;
    std::memmove(entry.typed + entry.caret + 1, entry.typed + entry.caret, entry.length - entry.caret + 1);
    entry.typed[entry.caret++] = c;
    ++entry.length;
}

void erase(TextEntry& entry, size_t at) {
    if (at >= entry.length) return;
    std::memmove(entry.typed + at, entry.typed + at + 1, entry.length - at);
    --entry.length;
}

// A focus that goes to a child of ours, or that only follows the pointer,
// was not taken from the entry.
bool focusTaken(const XFocusChangeEvent& change) {
    return change.detail != NotifyInferior && change.detail != NotifyPointer && change.mode != NotifyGrab;
}

}  // namespace

void TextEntry::handleEvent(XEvent& event) {
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) redraw();
        break;
    case KeyPress:
        if (typeKey(event.xkey)) redraw();
        break;
    case FocusOut:
        if (focusTaken(event.xfocus)) client->entryFinished();
        break;
    default:
        break;
    }
}

bool TextEntry::typeKey(XKeyEvent& key) {
    char typedChars[8] = "";
    KeySym symbol = NoSymbol;
    const int count = XLookupString(&key, typedChars, sizeof typedChars, &symbol, nullptr);
    switch (symbol) {
    case XK_Return:
    case XK_KP_Enter:
        client->entryFinished();
        return false;
    case XK_BackSpace:
        if (caret > 0) erase(*this, --caret);
        return true;
    case XK_Delete:
        erase(*this, caret);
        return true;
    case XK_Left:
        if (caret > 0) --caret;
        return true;
    case XK_Right:
        if (caret < length) ++caret;
        return true;
    case XK_Home:
        caret = 0;
        return true;
    case XK_End:
        caret = length;
        return true;
    default:
        break;
    }
    const auto c = static_cast<unsigned char>(typedChars[0]);
    if (count == 1 && c >= 0x20 && c != 0x7F) insert(*this, static_cast<char>(c));
    return true;
}

// Centred while it fits; a longer text scrolls so that the caret stays in view.
void TextEntry::redraw() {
    Display* display = surface.display;
    XSetForeground(display, gc, pixelOf(surface, kEntryBack));
    XFillRectangle(display, surface.drawable, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    const int full = textWidth(*this, length);
    const int beforeCaret = textWidth(*this, caret);
    int x = (width - full) / 2;
    if (full > width - 2) x = beforeCaret > width - 2 ? width - 2 - beforeCaret : 0;
    const int top = (height - (font->ascent + font->descent)) / 2;
    const XftColor ink = xftColor(pixelOf(surface, kEntryInk), kEntryInk);
    XftDrawString8(text, &ink, font, x, top + font->ascent, reinterpret_cast<const FcChar8*>(typed),
                   static_cast<int>(length));
    XSetForeground(display, gc, pixelOf(surface, kEntryInk));
    XDrawLine(display, surface.drawable, gc, x + beforeCaret, top, x + beforeCaret, top + font->ascent + font->descent);
    XFlush(display);
}

TextEntry* openTextEntry(Frame& frame, const Rect& box, const char* initial, int32_t fontId, TextEntryClient& client) {
    X11Surface* frameWindow = frame.getWindow();
    X11Connection* connection = frame.getWindowState().connection;
    if (!frameWindow || !connection) return nullptr;
    auto* entry = new (std::nothrow) TextEntry;
    if (!entry) return nullptr;
    Display* display = frameWindow->display;
    entry->client = &client;
    entry->connection = connection;
    entry->width = box.width() + 1 > 1 ? box.width() + 1 : 1;
    entry->height = box.height() + 1 > 1 ? box.height() + 1 : 1;
    std::strncpy(entry->typed, initial ? initial : "", kTextSize - 1);
    entry->length = entry->caret = std::strlen(entry->typed);
    entry->font = openFont(display, fontEntry(fontId), fontEntry(fontId).size, 400);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = pixelOf(*frameWindow, kEntryBack);
    attributes.event_mask = kEntryEvents;
    const Window window = XCreateWindow(display, frameWindow->drawable, box.left, box.top,
                                        static_cast<unsigned>(entry->width), static_cast<unsigned>(entry->height), 0,
                                        CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask,
                                        &attributes);
    entry->surface = defaultSurface(*connection, window, true);
    entry->gc = XCreateGC(display, window, 0, nullptr);
    entry->text = XftDrawCreate(display, window, entry->surface.visual, entry->surface.colormap);
    if (!entry->font || !entry->text || !connection->addTarget(window, entry)) {
        closeTextEntry(entry);
        return nullptr;
    }
    XMapRaised(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    connection->sync();
    return entry;
}

void readTextEntry(const TextEntry& entry, char* out, size_t size) {
    if (size == 0) return;
    const size_t kept = entry.length < size - 1 ? entry.length : size - 1;
    std::memcpy(out, entry.typed, kept);
    out[kept] = '\0';
}

void closeTextEntry(TextEntry* entry) {
    if (!entry) return;
    Display* display = entry->surface.display;
    entry->connection->removeTarget(entry->surface.drawable);
    if (entry->text) XftDrawDestroy(entry->text);
    if (entry->font) XftFontClose(display, entry->font);
    if (entry->gc) XFreeGC(display, entry->gc);
    XDestroyWindow(display, entry->surface.drawable);
    XFlush(display);
    delete entry;
}

SystemWindow textEntryWindow(const TextEntry* entry) {
    return entry ? const_cast<X11Surface*>(&entry->surface) : nullptr;
}
