// The instrument's two mixing channels: a fixed chunk inside the object. The
// processing calls render in chunks of this size, so no block size a host
// announces or sends needs memory of its own.
#pragma once

#include <cstdint>

class MixBuffers {
public:
    static constexpr int32_t kFrames = 256;

    MixBuffers() = default;
    MixBuffers(const MixBuffers&) = delete;
    MixBuffers& operator=(const MixBuffers&) = delete;

    float* left() { return mixLeft; }
    float* right() { return mixRight; }
    void clear(int32_t count);

private:
    float mixLeft[kFrames] = {};
    float mixRight[kFrames] = {};
};
