// Parameter changes waiting for the editor's next idle. Any thread posts
// (automation arrives on the audio thread); only the editor's own thread
// takes them and touches its controls.
#pragma once

#include <atomic>
#include <cstdint>

#include "synth/ParameterIndex.h"

class PendingParameters {
public:
    static_assert(kParameterCount <= 32, "one bit per parameter");

    // Indices outside 0..31 are not kept.
    void post(int32_t index) {
        if (index >= 0 && index < 32) bits.fetch_or(uint32_t{1} << index);
    }
    // Bit i set: parameter i changed since the last take.
    uint32_t take() { return bits.exchange(0); }

private:
    std::atomic<uint32_t> bits{0};
};
