#pragma once

// One voice alone, its four modes in the lanes (see LaneArithmetic.h).

#include <cstdint>

#include "synth/lanes/kernels/LaneArithmetic.h"

namespace lanekernel {

// t[i+1] + f * (t[i+1] - t[i]) for one voice, as the scalar readTable.
template <class P>
double readOneTable(const float* table, float position)
{
    const auto index = static_cast<int32_t>(position);
    const double fraction = static_cast<double>(position) - index;
    const double next = table[index + 1];
    return next + fraction * (next - table[index]);
}

// A voice alone in its group: its four modes take the lanes instead, so a
// lone voice does not pay for a group of idle ones. The pulse, the sum of
// the modes and the vibrato are the scalar code's own, done in float where
// the rounding allows it.
template <class P>
void renderOne(VoiceLanes& lanes, int32_t lane, int32_t count, float* output)
{
    using D = typename P::D;
    using A = Arithmetic<P>;
    using FL = typename P::Floats;
    using F = typename FL::F;
    constexpr int32_t kWidth = P::kWidth;
    constexpr int32_t kVectors = VoiceLanes::kModes / kWidth;
    if (count <= 0)
        return;
    const D flushOffset = P::set1(static_cast<double>(1e-18f));
    D gain[kVectors], feedback1[kVectors], feedback2[kVectors], feedforward1[kVectors], feedforward2[kVectors];
    D state0[kVectors], state1[kVectors];
    F rawState0[kVectors], modeOutput[kVectors];
#pragma GCC unroll 4
    for (int32_t v = 0; v < kVectors; ++v) {
        double values[kWidth];
        const auto modesOf = [&](double (*field)[VoiceLanes::kCapacity]) {
            for (int32_t j = 0; j < kWidth; ++j)
                values[j] = field[v * kWidth + j][lane];
            return P::load(values);
        };
        gain[v] = modesOf(lanes.gain);
        feedback1[v] = modesOf(lanes.feedback1);
        feedback2[v] = modesOf(lanes.feedback2);
        feedforward1[v] = modesOf(lanes.feedforward1);
        feedforward2[v] = modesOf(lanes.feedforward2);
        state0[v] = modesOf(lanes.state0);
        rawState0[v] = P::narrow(state0[v]);
        state1[v] = A::flush(modesOf(lanes.state1), flushOffset);
        modeOutput[v] = FL::zero();
    }
    const float* pulseTable = lanes.pulseTable;
    const double (*sineSlopes)[2] = lanes.sineSlopes;
    auto pulsePhase = static_cast<float>(lanes.pulsePhase[lane]);
    const auto pulseIncrement = static_cast<float>(lanes.pulseIncrement[lane]);
    const double amplitude = lanes.amplitude[lane];
    const auto quietDrive = static_cast<float>(0.0 * amplitude);
    auto vibratoPhase = static_cast<float>(lanes.vibratoPhase[lane]);
    const auto vibratoIncrement = static_cast<float>(lanes.vibratoIncrement[lane]);
    const double depth = lanes.vibratoDepth[lane];
    const auto outputGain = static_cast<float>(lanes.outputGain[lane]);
    constexpr float kPulseEnd = 256.0f;
    constexpr float kPeriod = 4096.0f;

    for (int32_t i = 0; i < count; ++i) {
        pulsePhase += pulseIncrement;
        const float drive = pulsePhase >= 0.0f && pulsePhase < kPulseEnd
            ? static_cast<float>(readOneTable<P>(pulseTable, pulsePhase) * amplitude)
            : quietDrive;
        const D input = P::set1(drive);
        F flushing = FL::needsFlush(rawState0[0]);
#pragma GCC unroll 4
        for (int32_t v = 1; v < kVectors; ++v)
            flushing = FL::either(flushing, FL::needsFlush(rawState0[v]));
        if (FL::any(flushing)) {
#pragma GCC unroll 4
            for (int32_t v = 0; v < kVectors; ++v)
                state0[v] = A::flush(state0[v], flushOffset);
        }
#pragma GCC unroll 4
        for (int32_t v = 0; v < kVectors; ++v) {
            const D s0 = state0[v];
            const D s1 = state1[v];
            const D w = P::add(P::add(P::mul(input, gain[v]), P::mul(feedback1[v], s0)), P::mul(feedback2[v], s1));
            modeOutput[v] = P::narrow(P::add(P::add(w, P::mul(feedforward1[v], s0)), P::mul(feedforward2[v], s1)));
            state1[v] = s0;
            rawState0[v] = P::narrow(w);
            state0[v] = P::widen(rawState0[v]);
        }
        alignas(16) float y[4];
#pragma GCC unroll 4
        for (int32_t v = 0; v < kVectors; ++v)
            P::storeModes(y + v * kWidth, modeOutput[v]);
        float sum = ((y[0] + y[1]) + y[2]) + y[3];
        if (depth != 0.0) {
            vibratoPhase += vibratoIncrement;
            if (vibratoPhase >= kPeriod)
                vibratoPhase -= kPeriod;
            if (!(vibratoPhase >= 0.0f && vibratoPhase < kPeriod)) {
                if (vibratoPhase < 0.0f)
                    vibratoPhase += kPeriod;
                if (!(vibratoPhase >= 0.0f && vibratoPhase < kPeriod))
                    vibratoPhase = 0.0f;
            }
            const auto at = static_cast<int32_t>(vibratoPhase);
            const double fraction = static_cast<double>(vibratoPhase) - at;
            const auto vibrato = static_cast<float>(sineSlopes[at][0] + fraction * sineSlopes[at][1]);
            sum = static_cast<float>((static_cast<double>(vibrato) * depth + 1.0) * sum);
        }
        output[i] = sum * outputGain;
    }

    lanes.pulsePhase[lane] = pulsePhase;
    lanes.vibratoPhase[lane] = vibratoPhase;
    for (int32_t v = 0; v < kVectors; ++v) {
        alignas(32) double values[kWidth];
        const auto store = [&](D value, double (*field)[VoiceLanes::kCapacity]) {
            P::store(values, value);
            for (int32_t j = 0; j < kWidth; ++j)
                field[v * kWidth + j][lane] = values[j];
        };
        store(state0[v], lanes.state0);
        store(state1[v], lanes.state1);
        store(P::widen(modeOutput[v]), lanes.output);
    }
}

}  // namespace lanekernel
