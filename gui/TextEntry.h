// A one-line text entry the platform opens over a view of a frame, with the
// keyboard focus: the system's own edit window where there is one (Win32),
// one the toolkit draws itself where there is none (X11).
#pragma once

#include <cstddef>
#include <cstdint>

#include "gui/Geometry.h"
#include "gui/SystemTypes.h"

class Frame;
class TextEntry;

class TextEntryClient {
public:
    // Return was pressed or the entry lost the keyboard focus. The client
    // reads the text and closes the entry; the entry is not used after.
    virtual void entryFinished() = 0;

protected:
    ~TextEntryClient() = default;
};

// Null when the frame has no window or the entry cannot be made. box is in
// the frame's coordinates; the entry covers it and one pixel more each way
// right and down. fontId picks the toolkit font the text is shown in.
TextEntry* openTextEntry(Frame& frame, const Rect& box, const char* text, int32_t fontId, TextEntryClient& client);
// The text as edited, cut to fit size bytes with its terminating zero.
void readTextEntry(const TextEntry& entry, char* text, size_t size);
void closeTextEntry(TextEntry* entry);
SystemWindow textEntryWindow(const TextEntry* entry);
