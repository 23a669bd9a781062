// A control's hold on a shared picture: one reference for as long as it keeps
// the picture, null allowed.
#pragma once

#include "gui/Bitmap.h"

class SharedBitmap {
public:
    explicit SharedBitmap(Bitmap* picture) : bitmap(picture) {
        if (bitmap) bitmap->remember();
    }
    ~SharedBitmap() {
        if (bitmap) bitmap->forget();
    }
    SharedBitmap(const SharedBitmap&) = delete;
    SharedBitmap& operator=(const SharedBitmap&) = delete;

    // The new picture is remembered before the old one is let go, so handing
    // back the picture already held cannot delete it.
    void reset(Bitmap* picture) {
        if (picture) picture->remember();
        if (bitmap) bitmap->forget();
        bitmap = picture;
    }

    Bitmap* get() const { return bitmap; }
    Bitmap* operator->() const { return bitmap; }
    explicit operator bool() const { return bitmap != nullptr; }

private:
    Bitmap* bitmap;
};
