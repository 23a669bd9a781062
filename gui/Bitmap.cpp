#include "gui/Bitmap.h"

void Bitmap::forget() {
    if (--refCount == 0) delete this;
}
