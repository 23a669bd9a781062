// A temporary memory device context that gives back whatever it had selected
// before it is deleted, so no picture is ever deleted while selected.
#pragma once

#include <windows.h>

class MemoryContext {
public:
    explicit MemoryContext(HDC compatibleWith) : context(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryContext() {
        deselect();
        if (context) DeleteDC(context);
    }
    MemoryContext(const MemoryContext&) = delete;
    MemoryContext& operator=(const MemoryContext&) = delete;

    void select(HBITMAP bitmap) {
        HGDIOBJ previous = SelectObject(context, bitmap);
        if (!original) original = previous;
    }
    void deselect() {
        if (original) SelectObject(context, original);
        original = nullptr;
    }
    HDC get() const { return context; }

private:
    HDC context;
    HGDIOBJ original = nullptr;
};

// A bitmap made for one drawing operation; declare it before the contexts it
// is selected into, so that they let go of it first.
class TemporaryBitmap {
public:
    explicit TemporaryBitmap(HBITMAP created) : bitmap(created) {}
    ~TemporaryBitmap() {
        if (bitmap) DeleteObject(bitmap);
    }
    TemporaryBitmap(const TemporaryBitmap&) = delete;
    TemporaryBitmap& operator=(const TemporaryBitmap&) = delete;

    HBITMAP get() const { return bitmap; }

private:
    HBITMAP bitmap;
};
