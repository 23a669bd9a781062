#include "instrument/MixBuffers.h"

#include <algorithm>
#include <new>

void MixBuffers::resize(int32_t frames) {
    if (frames <= 0) return;
    if (frames <= kFixedFrames) {
        ownedLeft.reset();
        ownedRight.reset();
        mixLeft = fixedLeft;
        mixRight = fixedRight;
        capacity = kFixedFrames;
        return;
    }
    std::unique_ptr<float[]> newLeft(new (std::nothrow) float[static_cast<size_t>(frames)]);
    std::unique_ptr<float[]> newRight(new (std::nothrow) float[static_cast<size_t>(frames)]);
    if (!newLeft || !newRight) return;
    ownedLeft = std::move(newLeft);
    ownedRight = std::move(newRight);
    mixLeft = ownedLeft.get();
    mixRight = ownedRight.get();
    capacity = frames;
}

void MixBuffers::clear(int32_t count) {
    std::fill_n(mixLeft, count, 0.0f);
    std::fill_n(mixRight, count, 0.0f);
}
