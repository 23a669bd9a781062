#include "instrument/MixBuffers.h"

#include <algorithm>

void MixBuffers::clear(int32_t count) {
    std::fill_n(mixLeft, count, 0.0f);
    std::fill_n(mixRight, count, 0.0f);
}
