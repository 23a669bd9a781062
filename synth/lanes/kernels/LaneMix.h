#pragma once

// Adds a voice's samples into the mix as the scalar pool does, with the
// pack's vector code P::kMixWidth samples at a time.

#include <cstdint>

namespace lanekernel {

// left[i] = float(left[i] + voice[i] * leftGain), and the same on the right,
// a pack of samples per step and the rest one by one.
template <class P>
void mixVoice(const float* voice, double leftGain, double rightGain, float* left, float* right, int32_t count)
{
    int32_t i = 0;
    for (; i + P::kMixWidth <= count; i += P::kMixWidth)
        P::mixPack(voice + i, leftGain, rightGain, left + i, right + i);
    for (; i < count; ++i) {
        right[i] = static_cast<float>(right[i] + voice[i] * rightGain);
        left[i] = static_cast<float>(left[i] + voice[i] * leftGain);
    }
}

}  // namespace lanekernel
