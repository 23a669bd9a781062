// A text box showing the current one of up to 128 entries, chosen from a
// popup menu opened by a plain left click. An entry "-" is a separator.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "controls/ParamDisplay.h"
#include "gui/PopupMenu.h"

class OptionMenu : public ParamDisplay {
public:
    static constexpr int32_t kMaxEntries = 128;

    // openPicture, may be null, is shown behind the text while the popup is open.
    OptionMenu(const Rect& menuSize, ControlListener* menuListener, int32_t menuTag, Bitmap* backgroundPicture,
               Bitmap* openPicture, int32_t displayStyle);

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, Point where) override;
    void onFocusLost() override { menu = nullptr; }
    // Runs the popup; a choice becomes current and is told to the listener.
    void onFocusGained() override;

    // A negative index, or one past the last entry, appends. Texts are cut to
    // 255 characters. False when full.
    virtual bool addEntry(const char* text, int32_t index = -1);
    // The current index, its text copied into out (256 bytes); -1 without entries.
    virtual int32_t getCurrent(char* out = nullptr) const;
    // Refuses indices out of range and separators.
    virtual bool setCurrent(int32_t index);
    virtual bool getEntry(int32_t index, char* out) const;
    virtual bool removeEntry(int32_t index);
    virtual bool removeAllEntries();
    virtual int32_t getEntryCount() const { return entryCount; }

    // The popup while it is open, else null.
    PopupMenu* getMenu() const { return menu; }

private:
    bool isEntry(int32_t index) const { return index >= 0 && index < entryCount; }
    bool isSeparator(int32_t index) const;
    const char* currentText() const;
    PopupMenu* buildMenu() const;
    int32_t runPopup(PopupMenu& popup);
    void showChoice(int32_t chosen);

    PopupMenu* menu = nullptr;
    std::array<std::unique_ptr<char[]>, kMaxEntries> entries;
    int32_t entryCount = 0;
    int32_t current = -1;
    SharedBitmap openBitmap;
};
