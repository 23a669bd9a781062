#include "controls/TextEdit.h"

#include <cstring>

#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/FrameDrawContext.h"

TextEdit::TextEdit(const Rect& editSize, ControlListener* editListener, int32_t editTag, const char* initialText,
                   Bitmap* backgroundPicture, int32_t displayStyle)
    : ParamDisplay(editSize, editListener, editTag, backgroundPicture, displayStyle) {
    copyText(text, initialText);
}

TextEdit::~TextEdit() { closeEntry(); }

void TextEdit::draw(DrawContext& context) {
    if (!textConvert) {
        drawText(context, text);
        return;
    }
    char shown[kTextSize] = "";
    textConvert(text, shown);
    shown[kTextSize - 1] = '\0';
    drawText(context, shown);
}

void TextEdit::onMouseDown(DrawContext& context, Point) {
    if (!acceptsMouse || context.getMouseButtons() != kLeftButton) return;
    if (!parent || parent->getFocusView() == this) return;
    parent->setFocusView(this);
    onFocusGained();
}

void TextEdit::onFocusGained() {
    if (entry || !parent || !parent->getWindow()) return;
    entry = openTextEntry(*parent, size, text, getFont(), *this);
}

void TextEdit::onFocusLost() {
    if (!entry) return;
    char oldText[kTextSize];
    std::memcpy(oldText, text, kTextSize);
    readTextEntry(*entry, text, kTextSize - 1);
    text[kTextSize - 1] = '\0';
    closeEntry();
    if (parent) parent->setFocusView(nullptr);
    redrawAfterEdit(std::strcmp(oldText, text) != 0);
}

// The entry is taken from the control before it is closed: closing a focused
// entry takes its focus away, and that must find no control to close twice.
void TextEdit::closeEntry() {
    TextEntry* closing = entry;
    entry = nullptr;
    if (closing) closeTextEntry(closing);
}

void TextEdit::redrawAfterEdit(bool textChanged) {
    if (!parent || !parent->getWindow()) return;
    FrameDrawContext context(*parent);
    if (textChanged) notify(context);
    draw(context);
}

// The listener may close the editor from inside the notification; the
// frame, and this control with it, then lives until the edit is finished.
void TextEdit::entryFinished() {
    Frame* frame = parent;
    if (!frame) {
        onFocusLost();
        return;
    }
    Frame::HandlerScope busy(*frame);
    onFocusLost();
    frame->setFocusView(nullptr);
}

void TextEdit::setText(const char* newText) {
    if (!newText) return;
    copyText(text, newText);
    forceRedrawByFlip();
}

void TextEdit::getText(char* out) const {
    if (out) std::memcpy(out, text, std::strlen(text) + 1);
}
