// A text box the user edits in an entry opened over it by a plain left
// click, and closed by Return, by a click elsewhere in the frame or by the
// entry losing the keyboard focus.
#pragma once

#include <cstdint>

#include "controls/ParamDisplay.h"
#include "controls/TextBuffer.h"
#include "gui/TextEntry.h"

// Writes the text to show, at most 255 characters, into a 256-byte buffer
// preset to "".
using TextConvert = void (*)(const char* text, char* shown);

class TextEdit : public ParamDisplay, private TextEntryClient {
public:
    // A null text starts empty; longer texts are cut to 255 characters.
    TextEdit(const Rect& editSize, ControlListener* editListener, int32_t editTag, const char* initialText,
             Bitmap* backgroundPicture, int32_t displayStyle);
    ~TextEdit() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;
    // Closes the entry; tells the listener only when the text changed.
    void onFocusLost() override;
    // Opens the entry and gives it the keyboard focus.
    void onFocusGained() override;

    virtual void setText(const char* newText);
    // out holds 256 bytes.
    virtual void getText(char* out) const;
    virtual void setTextConvert(TextConvert convert) { textConvert = convert; }

    // The entry's window while editing, else null.
    SystemWindow getEditWindow() const { return entry ? textEntryWindow(entry) : nullptr; }

private:
    void entryFinished() override;
    void closeEntry();
    void redrawAfterEdit(bool textChanged);

    TextEntry* entry = nullptr;
    char text[kTextSize];
    TextConvert textConvert = nullptr;
};
