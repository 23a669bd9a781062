#pragma once

// Adds a voice's samples into the mix as the scalar pool does, with the
// pack's vector code a pack of samples at a time.

#include <cstdint>

namespace lanekernel {

// Samples per step: a pack, where one pack of floats widens into one pack of
// doubles; otherwise the pack mixes kMixWidth samples its own way.
template <class P>
constexpr int32_t mixWidth()
{
    if constexpr (P::Floats::kStride == P::kWidth)
        return P::kWidth;
    else
        return P::kMixWidth;
}

template <class P>
void mixPack(const float* voice, double leftGain, double rightGain, float* left, float* right)
{
    using FL = typename P::Floats;
    if constexpr (FL::kStride == P::kWidth) {
        const auto samples = P::widen(FL::load(voice));
        FL::store(right, P::narrow(P::add(P::widen(FL::load(right)), P::mul(samples, P::set1(rightGain)))));
        FL::store(left, P::narrow(P::add(P::widen(FL::load(left)), P::mul(samples, P::set1(leftGain)))));
    } else {
        P::mixPack(voice, leftGain, rightGain, left, right);
    }
}

// left[i] = float(left[i] + voice[i] * leftGain), and the same on the right,
// a pack of samples per step and the rest one by one.
template <class P>
void mixVoice(const float* voice, double leftGain, double rightGain, float* left, float* right, int32_t count)
{
    constexpr int32_t kStep = mixWidth<P>();
    int32_t i = 0;
    for (; i + kStep <= count; i += kStep)
        mixPack<P>(voice + i, leftGain, rightGain, left + i, right + i);
    for (; i < count; ++i) {
        right[i] = static_cast<float>(right[i] + voice[i] * rightGain);
        left[i] = static_cast<float>(left[i] + voice[i] * leftGain);
    }
}

}  // namespace lanekernel
