#include "controls/OptionMenu.h"

#include <cstring>
#include <new>
#include <utility>

#include "controls/DisplayStyle.h"
#include "controls/TextBuffer.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/FrameDrawContext.h"

namespace {

constexpr int32_t kNoChoice = -1;
constexpr const char* kSeparator = "-";

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
    if (!parent || !parent->getWindow()) return;
    // The popup runs the host's work: the host may close the editor
    // meanwhile, and the frame then lives only until this returns.
    Frame::HandlerScope busy(*parent);
    PopupMenu* popup = buildMenu();
    menu = popup;  // onFocusLost may forget it meanwhile; it is still ours to destroy
    const int32_t chosen = popup ? runPopup(*popup) : kNoChoice;
    destroyPopupMenu(popup);
    menu = nullptr;
    parent->setFocusView(nullptr);
    if (parent->isClosing() || !parent->getWindow()) return;
    if (chosen == kNoChoice && !openBitmap) return;
    showChoice(chosen);
}

PopupMenu* OptionMenu::buildMenu() const {
    PopupMenuItem items[kMaxEntries];
    for (int32_t i = 0; i < entryCount; ++i) {
        items[i] = PopupMenuItem{entries[i].get(), isSeparator(i), (getStyle() & CheckCurrentEntry) && i == current};
    }
    return createPopupMenu(items, entryCount);
}

// Blocks until the popup closes.
int32_t OptionMenu::runPopup(PopupMenu& popup) {
    const Point where(size.left, (getStyle() & MenuAtTop) ? size.top : size.bottom);
    const int32_t chosen = trackPopupMenu(popup, *parent, where);
    // Entries changed while the popup ran.
    if (!isEntry(chosen) || isSeparator(chosen)) return kNoChoice;
    return chosen;
}

void OptionMenu::showChoice(int32_t chosen) {
    FrameDrawContext context(*parent);
    if (chosen != kNoChoice) {
        current = chosen;
        notify(context);
    }
    draw(context);
}
