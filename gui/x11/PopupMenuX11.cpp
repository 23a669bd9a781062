// The popup menu on X11, which has none of its own: an override-redirect
// window the toolkit draws, holding the pointer and the keyboard while it is
// open. The pointer highlights, a release on an item chooses it, a press
// outside dismisses; Up and Down move, Return chooses, Escape dismisses. The
// editor's idle work (and the host's) goes on meanwhile.
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstring>
#include <new>

#include "gui/Frame.h"
#include "gui/PopupMenu.h"
#include "gui/x11/X11Connection.h"
#include "gui/x11/X11Surface.h"
#include "gui/x11/XftFonts.h"

namespace {

constexpr int32_t kMostItems = 128;
constexpr size_t kItemSize = 256;
constexpr int kBorder = 1;
constexpr int kTextInset = 20;  // room for the check mark
constexpr int kRowPadding = 6;
constexpr int32_t kMenuFontSize = 13;
constexpr uint32_t kPollMilliseconds = 10;
constexpr int kArmingDistance = 3;  // pixels the pointer moves before a release can choose
constexpr Color kMenuBack{240, 240, 240, 0};
constexpr Color kMenuEdge{150, 150, 150, 0};
constexpr Color kMenuInk = kBlackColor;
constexpr Color kHighlight{0, 120, 215, 0};
constexpr Color kHighlightInk = kWhiteColor;
constexpr Color kSeparatorLine{200, 200, 200, 0};
constexpr long kPopupEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
constexpr unsigned int kGrabbedPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;

struct Item {
    char text[kItemSize];
    bool separator;
    bool checked;
};

}  // namespace

class PopupMenu {
public:
    Item items[kMostItems];
    int32_t count = 0;
};

namespace {

// The open popup's window and what its loop tracks.
class OpenPopup {
public:
    OpenPopup(PopupMenu& shown, X11Surface& frameWindow);
    ~OpenPopup();
    OpenPopup(const OpenPopup&) = delete;
    OpenPopup& operator=(const OpenPopup&) = delete;

    bool show(Point where);
    // False once the popup is done; chosen then holds the result.
    bool handle(XEvent& event);
    Window window() const { return surface.drawable; }

    int32_t chosen = -1;

private:
    void draw();
    void drawRow(int32_t row);
    int32_t rowAt(int x, int y) const;
    void moveHighlight(int32_t step);
    bool handleKey(XKeyEvent& key);
    bool handleRelease(const XButtonEvent& release);

    PopupMenu& menu;
    X11Surface surface;
    XftFont* font = nullptr;
    XftDraw* text = nullptr;
    GC gc = nullptr;
    int width = 0;
    int height = 0;
    int rowHeight = 0;
    int32_t highlighted = -1;
    bool armed = false;
    int startX = -1;
    int startY = -1;
    bool created = false;
};

OpenPopup::OpenPopup(PopupMenu& shown, X11Surface& frameWindow) : menu(shown), surface(frameWindow) {
    Display* display = surface.display;
    surface.isWindow = false;  // the frame's, till show makes the popup's own
    FontEntry menuFont = fontEntry(kFontNormal);
    font = openFont(display, menuFont, kMenuFontSize, menuFont.weight);
    if (!font) return;
    rowHeight = font->ascent + font->descent + kRowPadding;
    int widest = 0;
    for (int32_t i = 0; i < menu.count; ++i) {
        XGlyphInfo extents{};
        const Item& item = menu.items[i];
        XftTextExtents8(display, font, reinterpret_cast<const FcChar8*>(item.text),
                        static_cast<int>(std::strlen(item.text)), &extents);
        if (extents.xOff > widest) widest = extents.xOff;
    }
    width = widest + 2 * kTextInset + 2 * kBorder;
    height = menu.count * rowHeight + 2 * kBorder;
}

OpenPopup::~OpenPopup() {
    Display* display = surface.display;
    if (created) {
        XUngrabPointer(display, CurrentTime);
        XUngrabKeyboard(display, CurrentTime);
    }
    if (text) XftDrawDestroy(text);
    if (gc) XFreeGC(display, gc);
    if (created) XDestroyWindow(display, surface.drawable);
    if (font) XftFontClose(display, font);
    XSync(display, False);
}

bool OpenPopup::show(Point where) {
    if (!font) return false;
    Display* display = surface.display;
    const Window root = DefaultRootWindow(display);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, surface.drawable, root, where.h, where.v, &x, &y, &child);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = pixelOf(surface, kMenuBack);
    attributes.event_mask = kPopupEvents;
    surface.drawable = XCreateWindow(display, root, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                     0, CopyFromParent, InputOutput, CopyFromParent,
                                     CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    surface.isWindow = true;
    created = true;
    XStoreName(display, surface.drawable, "zavTolvek popup menu");
    gc = XCreateGC(display, surface.drawable, 0, nullptr);
    text = XftDrawCreate(display, surface.drawable, surface.visual, surface.colormap);
    XMapRaised(display, surface.drawable);
    XGrabPointer(display, surface.drawable, False, kGrabbedPointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                 CurrentTime);
    XGrabKeyboard(display, surface.drawable, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    XSync(display, False);
    return text != nullptr;
}

int32_t OpenPopup::rowAt(int x, int y) const {
    if (x < 0 || x >= width || y < kBorder || y >= height - kBorder) return -1;
    const int32_t row = (y - kBorder) / rowHeight;
    return row < menu.count ? row : -1;
}

void OpenPopup::drawRow(int32_t row) {
    Display* display = surface.display;
    const Item& item = menu.items[row];
    const int top = kBorder + row * rowHeight;
    const bool lit = row == highlighted && !item.separator;
    XSetForeground(display, gc, pixelOf(surface, lit ? kHighlight : kMenuBack));
    XFillRectangle(display, surface.drawable, gc, kBorder, top, static_cast<unsigned>(width - 2 * kBorder),
                   static_cast<unsigned>(rowHeight));
    if (item.separator) {
        XSetForeground(display, gc, pixelOf(surface, kSeparatorLine));
        XDrawLine(display, surface.drawable, gc, kBorder + 2, top + rowHeight / 2, width - kBorder - 3,
                  top + rowHeight / 2);
        return;
    }
    const Color ink = lit ? kHighlightInk : kMenuInk;
    const XftColor inkColour = xftColor(pixelOf(surface, ink), ink);
    const int baseline = top + kRowPadding / 2 + font->ascent;
    XftDrawString8(text, &inkColour, font, kBorder + kTextInset, baseline,
                   reinterpret_cast<const FcChar8*>(item.text), static_cast<int>(std::strlen(item.text)));
    if (!item.checked) return;
    XSetForeground(display, gc, pixelOf(surface, ink));
    const int middle = top + rowHeight / 2;
    XPoint tick[] = {{6, static_cast<short>(middle)}, {9, static_cast<short>(middle + 3)}, {15, static_cast<short>(middle - 4)}};
    XDrawLines(display, surface.drawable, gc, tick, 3, CoordModeOrigin);
}

void OpenPopup::draw() {
    Display* display = surface.display;
    XSetForeground(display, gc, pixelOf(surface, kMenuEdge));
    XDrawRectangle(display, surface.drawable, gc, 0, 0, static_cast<unsigned>(width - 1),
                   static_cast<unsigned>(height - 1));
    for (int32_t row = 0; row < menu.count; ++row) drawRow(row);
    XFlush(display);
}

void OpenPopup::moveHighlight(int32_t step) {
    for (int32_t tries = 0; tries < menu.count; ++tries) {
        highlighted = (highlighted + step + menu.count) % menu.count;
        if (highlighted < 0) highlighted += menu.count;
        if (!menu.items[highlighted].separator) break;
    }
    draw();
}

bool OpenPopup::handleKey(XKeyEvent& key) {
    const KeySym symbol = XLookupKeysym(&key, 0);
    if (symbol == XK_Escape) return false;
    if (symbol == XK_Return || symbol == XK_KP_Enter) {
        if (highlighted >= 0 && !menu.items[highlighted].separator) chosen = highlighted;
        return false;
    }
    if (symbol == XK_Down) moveHighlight(1);
    if (symbol == XK_Up) moveHighlight(highlighted < 0 ? 0 : -1);
    return true;
}

// The release of the press that opened the popup chooses nothing unless the
// pointer moved on since: a click on the control leaves the popup open.
bool OpenPopup::handleRelease(const XButtonEvent& release) {
    const int32_t row = rowAt(release.x, release.y);
    if (!armed || row < 0 || menu.items[row].separator) return true;
    chosen = row;
    return false;
}

bool OpenPopup::handle(XEvent& event) {
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) draw();
        return true;
    case MotionNotify: {
        if (startX < 0) {
            startX = event.xmotion.x;
            startY = event.xmotion.y;
        }
        const int dx = event.xmotion.x - startX;
        const int dy = event.xmotion.y - startY;
        if (dx * dx + dy * dy >= kArmingDistance * kArmingDistance) armed = true;
        const int32_t row = rowAt(event.xmotion.x, event.xmotion.y);
        if (row != highlighted) {
            highlighted = row;
            draw();
        }
        return true;
    }
    case ButtonPress:
        armed = true;
        return rowAt(event.xbutton.x, event.xbutton.y) >= 0;
    case ButtonRelease:
        return handleRelease(event.xbutton);
    case KeyPress:
        return handleKey(event.xkey);
    default:
        return true;
    }
}

Bool isForWindow(Display*, XEvent* event, XPointer window) {
    return event->xany.window == *reinterpret_cast<Window*>(window) ? True : False;
}

}  // namespace

PopupMenu* createPopupMenu(const PopupMenuItem* items, int32_t count) {
    auto* menu = new (std::nothrow) PopupMenu;
    if (!menu) return nullptr;
    menu->count = count < kMostItems ? count : kMostItems;
    for (int32_t i = 0; i < menu->count; ++i) {
        Item& item = menu->items[i];
        std::strncpy(item.text, items[i].text ? items[i].text : "", kItemSize - 1);
        item.text[kItemSize - 1] = '\0';
        item.separator = items[i].separator;
        item.checked = items[i].checked;
    }
    return menu;
}

int32_t trackPopupMenu(PopupMenu& menu, Frame& frame, Point where) {
    X11Surface* frameWindow = frame.getWindow();
    X11Connection* connection = frame.getWindowState().connection;
    if (!frameWindow || !connection || menu.count == 0) return -1;
    OpenPopup popup(menu, *frameWindow);
    if (!popup.show(where)) return -1;
    Display* display = frameWindow->display;
    Window window = popup.window();
    for (;;) {
        XEvent event;
        while (XCheckIfEvent(display, &event, isForWindow, reinterpret_cast<XPointer>(&window))) {
            if (!popup.handle(event)) return popup.chosen;
        }
        frame.trackingIdle();
        if (frame.isClosing() || !frame.isWindowOpen()) return -1;
        connection->waitForEvents(kPollMilliseconds);
    }
}

void destroyPopupMenu(PopupMenu* menu) { delete menu; }
