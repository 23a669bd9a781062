#include "controls/OptionMenu.h"

#include <cstring>
#include <new>
#include <utility>

#include "controls/DisplayStyle.h"
#include "controls/TextBuffer.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"

namespace {

constexpr int32_t kNoChoice = -1;
constexpr const char* kSeparator = "-";
// The click that closes a popup may leave a press and a release behind.
constexpr int kLeftoverClickPasses = 2;

}  // namespace

OptionMenu::OptionMenu(const Rect& menuSize, ControlListener* menuListener, int32_t menuTag,
                       Bitmap* backgroundPicture, Bitmap* openPicture, int32_t displayStyle)
    : ParamDisplay(menuSize, menuListener, menuTag, backgroundPicture, displayStyle), openBitmap(openPicture) {}

void OptionMenu::draw(DrawContext& context) { drawText(context, currentText()); }

const char* OptionMenu::currentText() const { return isEntry(current) ? entries[current].get() : ""; }

bool OptionMenu::isSeparator(int32_t index) const { return std::strcmp(entries[index].get(), kSeparator) == 0; }

bool OptionMenu::addEntry(const char* text, int32_t index) {
    if (entryCount >= kMaxEntries) return false;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kTextSize]);
    if (!buffer) return false;
    copyText(buffer.get(), text);
    if (index < 0 || index > entryCount) index = entryCount;
    for (int32_t i = entryCount; i > index; --i) entries[i] = std::move(entries[i - 1]);
    entries[index] = std::move(buffer);
    if (current >= index) ++current;
    ++entryCount;
    if (current < 0) current = 0;
    return true;
}

int32_t OptionMenu::getCurrent(char* out) const {
    if (!isEntry(current)) return -1;
    if (out) copyText(out, entries[current].get());
    return current;
}

bool OptionMenu::setCurrent(int32_t index) {
    if (!isEntry(index) || isSeparator(index)) return false;
    current = index;
    forceRedrawByFlip();
    return true;
}

bool OptionMenu::getEntry(int32_t index, char* out) const {
    if (!isEntry(index)) return false;
    if (out) copyText(out, entries[index].get());
    return true;
}

// Removing the current entry makes the one before it current; the first
// entry stays current while any remain.
bool OptionMenu::removeEntry(int32_t index) {
    if (!isEntry(index)) return false;
    for (int32_t i = index; i < entryCount - 1; ++i) entries[i] = std::move(entries[i + 1]);
    entries[entryCount - 1].reset();
    --entryCount;
    if (current >= index && current > 0) --current;
    if (entryCount == 0) current = -1;
    return true;
}

bool OptionMenu::removeAllEntries() {
    for (auto& entry : entries) entry.reset();
    entryCount = 0;
    current = -1;
    return true;
}

void OptionMenu::onMouseDown(DrawContext& context, Point) {
    if (!acceptsMouse || context.getMouseButtons() != kLeftButton || !parent) return;
    if (openBitmap) drawText(context, currentText(), openBitmap.get());
    parent->setFocusView(this);
    onFocusGained();
}

void OptionMenu::onFocusGained() {
    HWND owner = parent ? parent->getWindow() : nullptr;
    if (!owner) return;
    // The popup runs the host's messages: the host may close the editor
    // meanwhile, and the frame then lives only until this returns.
    Frame::HandlerScope busy(*parent);
    menu = buildMenu();
    const int32_t chosen = menu ? runPopup(owner, menu) : kNoChoice;
    if (menu) DestroyMenu(menu);
    menu = nullptr;
    parent->setFocusView(nullptr);
    if (parent->isClosing() || !parent->getWindow()) return;
    if (chosen == kNoChoice && !openBitmap) return;
    showChoice(chosen);
}

HMENU OptionMenu::buildMenu() const {
    HMENU popup = CreatePopupMenu();
    if (!popup) return nullptr;
    for (int32_t i = 0; i < entryCount; ++i) {
        if (isSeparator(i)) {
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const bool checked = (getStyle() & CheckCurrentEntry) && i == current;
        AppendMenuA(popup, MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(i),
                    entries[i].get());
    }
    return popup;
}

// Blocks until the popup closes; the choice arrives as a command message.
int32_t OptionMenu::runPopup(HWND owner, HMENU popup) const {
    RECT window{};
    GetWindowRect(owner, &window);
    const int x = window.left + size.left;
    const int y = window.top + ((getStyle() & MenuAtTop) ? size.top : size.bottom);
    int32_t chosen = kNoChoice;
    MSG message;
    if (TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, x, y, 0, owner, nullptr) &&
        PeekMessageA(&message, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE) && HIWORD(message.wParam) == 0) {
        chosen = LOWORD(message.wParam);
    }
    for (int pass = 0; pass < kLeftoverClickPasses; ++pass) {
        PeekMessageA(&message, owner, WM_LBUTTONDOWN, WM_MBUTTONUP, PM_REMOVE);
    }
    // A command meant for someone else, or entries changed while the popup ran.
    if (!isEntry(chosen) || isSeparator(chosen)) return kNoChoice;
    return chosen;
}

void OptionMenu::showChoice(int32_t chosen) {
    HWND frameWindow = parent->getWindow();
    HDC windowContext = GetDC(frameWindow);
    {
        DrawContext context(parent, windowContext, frameWindow);
        if (chosen != kNoChoice) {
            current = chosen;
            notify(context);
        }
        draw(context);
    }
    ReleaseDC(frameWindow, windowContext);
}
