// The instrument's two mixing channels. They always exist: a fixed chunk lives
// inside the object, and a block size announced by the host gets buffers of
// its own, so a processing call never allocates and never finds them missing.
#pragma once

#include <cstdint>
#include <memory>

class MixBuffers {
public:
    static constexpr int32_t kFixedFrames = 256;

    MixBuffers() = default;
    MixBuffers(const MixBuffers&) = delete;
    MixBuffers& operator=(const MixBuffers&) = delete;

    // Not for the audio thread. A size that is not positive, or memory running
    // short, keeps the current buffers.
    void resize(int32_t frames);

    int32_t frames() const { return capacity; }
    float* left() { return mixLeft; }
    float* right() { return mixRight; }
    void clear(int32_t count);

private:
    float fixedLeft[kFixedFrames] = {};
    float fixedRight[kFixedFrames] = {};
    std::unique_ptr<float[]> ownedLeft;
    std::unique_ptr<float[]> ownedRight;
    float* mixLeft = fixedLeft;
    float* mixRight = fixedRight;
    int32_t capacity = kFixedFrames;
};
