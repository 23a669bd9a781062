// A text box the user edits in a native edit window opened over it by a plain
// left click, and closed by Return, by a click elsewhere in the frame or by
// the edit window losing the keyboard focus.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/ParamDisplay.h"
#include "controls/TextBuffer.h"

// Writes the text to show, at most 255 characters, into a 256-byte buffer
// preset to "".
using TextConvert = void (*)(const char* text, char* shown);

class TextEdit : public ParamDisplay {
public:
    // A null text starts empty; longer texts are cut to 255 characters.
    TextEdit(const Rect& editSize, ControlListener* editListener, int32_t editTag, const char* initialText,
             Bitmap* backgroundPicture, int32_t displayStyle);
    ~TextEdit() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;
    // Closes the edit window; tells the listener only when the text changed.
    void onFocusLost() override;
    // Opens the edit window and gives it the keyboard focus.
    void onFocusGained() override;

    virtual void setText(const char* newText);
    // out holds 256 bytes.
    virtual void getText(char* out) const;
    virtual void setTextConvert(TextConvert convert) { textConvert = convert; }

    HWND getEditWindow() const { return editWindow; }

private:
    static LRESULT CALLBACK editWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void finishEditing(TextEdit& control);

    HFONT createEditFont() const;
    void closeEditWindow();
    void redrawAfterEdit(bool textChanged);

    HWND editWindow = nullptr;
    HFONT editFont = nullptr;
    char text[kTextSize];
    TextConvert textConvert = nullptr;
};
