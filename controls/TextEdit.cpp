#include "controls/TextEdit.h"

#include <cstring>

#include "gui/DrawContext.h"
#include "gui/Fonts.h"
#include "gui/Frame.h"

namespace {

// Every edit window is of the one system class, so one saved procedure
// serves them all.
WNDPROC previousEditProc = nullptr;

constexpr UINT kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_CENTER;
constexpr BYTE kSwissVariablePitch = VARIABLE_PITCH | FF_SWISS;
// Including the terminator.
constexpr int kEditReadLimit = 255;

}  // namespace

TextEdit::TextEdit(const Rect& editSize, ControlListener* editListener, int32_t editTag, const char* initialText,
                   Bitmap* backgroundPicture, int32_t displayStyle)
    : ParamDisplay(editSize, editListener, editTag, backgroundPicture, displayStyle) {
    copyText(text, initialText);
}

TextEdit::~TextEdit() { closeEditWindow(); }

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
    if (editWindow || !parent || !parent->getWindow()) return;
    editWindow = CreateWindowExA(0, "EDIT", text, kEditStyle, size.left, size.top, size.width() + 1,
                                 size.height() + 1, parent->getWindow(), nullptr, parent->getModule(), nullptr);
    if (!editWindow) return;
    editFont = createEditFont();
    SetWindowLongPtrA(editWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), TRUE);
    SendMessageA(editWindow, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SetFocus(editWindow);
    previousEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(editWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextEdit::editWindowProc)));
}

HFONT TextEdit::createEditFont() const {
    const FontEntry& entry = fontEntry(getFont());
    LOGFONTA description{};
    description.lfHeight = -entry.size;
    description.lfWeight = FW_NORMAL;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfPitchAndFamily = kSwissVariablePitch;
    std::strncpy(description.lfFaceName, entry.faceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}

void TextEdit::onFocusLost() {
    if (!editWindow) return;
    char oldText[kTextSize];
    std::memcpy(oldText, text, kTextSize);
    GetWindowTextA(editWindow, text, kEditReadLimit);
    text[kTextSize - 1] = '\0';
    closeEditWindow();
    if (parent) parent->setFocusView(nullptr);
    redrawAfterEdit(std::strcmp(oldText, text) != 0);
}

// The window is taken from the control before it is destroyed: destroying a
// focused window takes its focus away, and the procedure must then find no
// control to close a second time.
void TextEdit::closeEditWindow() {
    HWND window = editWindow;
    HFONT font = editFont;
    editWindow = nullptr;
    editFont = nullptr;
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (font) DeleteObject(font);  // only once no window uses it
}

void TextEdit::redrawAfterEdit(bool textChanged) {
    HWND frameWindow = parent ? parent->getWindow() : nullptr;
    if (!frameWindow) return;
    HDC windowContext = GetDC(frameWindow);
    {
        DrawContext context(parent, windowContext, frameWindow);
        if (textChanged) notify(context);
        draw(context);
    }
    ReleaseDC(frameWindow, windowContext);
}

LRESULT CALLBACK TextEdit::editWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILLFOCUS || (message == WM_KEYDOWN && wParam == VK_RETURN)) {
        auto* control = reinterpret_cast<TextEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (control) finishEditing(*control);
        // The edit window is gone: nothing is left to pass the message to.
        if (!IsWindow(window)) return 0;
    }
    return CallWindowProcA(previousEditProc, window, message, wParam, lParam);
}

// The listener may close the editor from inside the notification; the
// frame, and this control with it, then lives until the edit is finished.
void TextEdit::finishEditing(TextEdit& control) {
    Frame* frame = control.parent;
    if (!frame) {
        control.onFocusLost();
        return;
    }
    Frame::HandlerScope busy(*frame);
    control.onFocusLost();
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
