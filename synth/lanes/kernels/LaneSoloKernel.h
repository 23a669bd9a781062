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

// The vibrato of a lone voice: VibratoOscillator::tick and the modulation in
// StrikeVoice::tick.
template <class P>
class SoloVibrato {
public:
    SoloVibrato(const VoiceLanes& lanes, int32_t lane)
        : phase(static_cast<float>(lanes.vibratoPhase[lane])),
          increment(static_cast<float>(lanes.vibratoIncrement[lane])), depth(lanes.vibratoDepth[lane])
    {
    }

    bool isOn() const { return depth != 0.0; }
    // The phase of the next sample, for a vibrato that is on.
    [[gnu::always_inline]] inline float advance();
    [[gnu::always_inline]] inline float modulate(float sum, const double (*sineSlopes)[2]);
    void store(VoiceLanes& lanes, int32_t lane) const { lanes.vibratoPhase[lane] = phase; }

private:
    static constexpr float kPeriod = 4096.0f;

    float phase;
    const float increment;
    const double depth;
};

template <class P>
float SoloVibrato<P>::advance()
{
    phase += increment;
    if (phase >= kPeriod)
        phase -= kPeriod;
    if (!(phase >= 0.0f && phase < kPeriod)) {
        if (phase < 0.0f)
            phase += kPeriod;
        if (!(phase >= 0.0f && phase < kPeriod))
            phase = 0.0f;
    }
    return phase;
}

template <class P>
float SoloVibrato<P>::modulate(float sum, const double (*sineSlopes)[2])
{
    if (!isOn())
        return sum;
    const float at = advance();
    const auto index = static_cast<int32_t>(at);
    const double fraction = static_cast<double>(at) - index;
    const auto vibrato = static_cast<float>(sineSlopes[index][0] + fraction * sineSlopes[index][1]);
    return static_cast<float>((static_cast<double>(vibrato) * depth + 1.0) * sum);
}

// A voice alone in its group: its four modes take the lanes instead, so a
// lone voice does not pay for a group of idle ones. The pulse, the sum of
// the modes and the vibrato are the scalar code's own, done in float where
// the rounding allows it.
template <class P>
class SoloRun {
public:
    using D = typename P::D;
    using A = Arithmetic<P>;
    using FL = typename P::Floats;
    using F = typename FL::F;
    static constexpr int32_t kWidth = P::kWidth;
    static constexpr int32_t kVectors = VoiceLanes::kModes / kWidth;

    [[gnu::always_inline]] inline SoloRun(VoiceLanes& voiceLanes, int32_t voiceLane);
    [[gnu::always_inline]] inline float step();
    [[gnu::always_inline]] inline void finish();

private:
    [[gnu::always_inline]] inline D modes(double (*field)[VoiceLanes::kCapacity], int32_t v) const;
    [[gnu::always_inline]] inline void storeModes(D value, double (*field)[VoiceLanes::kCapacity], int32_t v);
    [[gnu::always_inline]] inline float drive();
    [[gnu::always_inline]] inline float resonate(float drive);

    VoiceLanes& lanes;
    const int32_t lane;
    const D flushOffset = P::set1(static_cast<double>(1e-18f));
    D gain[kVectors], feedback1[kVectors], feedback2[kVectors], feedforward1[kVectors], feedforward2[kVectors];
    D state0[kVectors], state1[kVectors];
    F rawState0[kVectors], modeOutput[kVectors];
    float pulsePhase;
    const float pulseIncrement;
    const double amplitude;
    const float quietDrive;
    SoloVibrato<P> vibrato;
    const float outputGain;
};

template <class P>
SoloRun<P>::SoloRun(VoiceLanes& voiceLanes, int32_t voiceLane)
    : lanes(voiceLanes), lane(voiceLane), pulsePhase(static_cast<float>(lanes.pulsePhase[lane])),
      pulseIncrement(static_cast<float>(lanes.pulseIncrement[lane])), amplitude(lanes.amplitude[lane]),
      quietDrive(static_cast<float>(0.0 * amplitude)), vibrato(lanes, lane), outputGain(static_cast<float>(lanes.outputGain[lane]))
{
#pragma GCC unroll 4
    for (int32_t v = 0; v < kVectors; ++v) {
        gain[v] = modes(lanes.gain, v);
        feedback1[v] = modes(lanes.feedback1, v);
        feedback2[v] = modes(lanes.feedback2, v);
        feedforward1[v] = modes(lanes.feedforward1, v);
        feedforward2[v] = modes(lanes.feedforward2, v);
        state0[v] = modes(lanes.state0, v);
        rawState0[v] = P::narrow(state0[v]);
        state1[v] = A::flush(modes(lanes.state1, v), flushOffset);
        modeOutput[v] = FL::zero();
    }
}

template <class P>
typename P::D SoloRun<P>::modes(double (*field)[VoiceLanes::kCapacity], int32_t v) const
{
    double values[kWidth];
    for (int32_t j = 0; j < kWidth; ++j)
        values[j] = field[v * kWidth + j][lane];
    return P::load(values);
}

template <class P>
void SoloRun<P>::storeModes(D value, double (*field)[VoiceLanes::kCapacity], int32_t v)
{
    double values[kWidth];
    P::store(values, value);
    for (int32_t j = 0; j < kWidth; ++j)
        field[v * kWidth + j][lane] = values[j];
}

template <class P>
float SoloRun<P>::step()
{
    return vibrato.modulate(resonate(drive()), lanes.sineSlopes) * outputGain;
}

template <class P>
float SoloRun<P>::drive()
{
    pulsePhase += pulseIncrement;
    if (pulsePhase >= 0.0f && pulsePhase < 256.0f)
        return static_cast<float>(readOneTable<P>(lanes.pulseTable, pulsePhase) * amplitude);
    return quietDrive;
}

template <class P>
float SoloRun<P>::resonate(float drive)
{
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
        P::storePack(y + v * kWidth, modeOutput[v]);
    return ((y[0] + y[1]) + y[2]) + y[3];
}

template <class P>
void SoloRun<P>::finish()
{
    lanes.pulsePhase[lane] = pulsePhase;
    vibrato.store(lanes, lane);
    for (int32_t v = 0; v < kVectors; ++v) {
        storeModes(state0[v], lanes.state0, v);
        storeModes(state1[v], lanes.state1, v);
        storeModes(P::widen(modeOutput[v]), lanes.output, v);
    }
}

template <class P>
void renderOne(VoiceLanes& lanes, int32_t lane, int32_t count, float* output)
{
    if (count <= 0)
        return;
    SoloRun<P> run(lanes, lane);
    for (int32_t i = 0; i < count; ++i)
        output[i] = run.step();
    run.finish();
}

// Samples of a lone voice ringing on in its modes' cycles, `output` holding
// the sums of its modes (see replay in LaneGroupKernel.h). Only the phases
// depend on the sample before; the vibrato's reads and the modulation are
// done for a pack of samples at a time.
template <class P>
class SoloReplay {
public:
    using D = typename P::D;
    using A = Arithmetic<P>;
    using FL = typename P::Floats;
    using F = typename FL::F;

    SoloReplay(VoiceLanes& voiceLanes, int32_t voiceLane)
        : lanes(voiceLanes), lane(voiceLane), pulsePhase(static_cast<float>(lanes.pulsePhase[lane])),
          pulseIncrement(static_cast<float>(lanes.pulseIncrement[lane])),
          outputGain(static_cast<float>(lanes.outputGain[lane])), vibrato(lanes, lane)
    {
    }

    void run(float* output, int32_t count)
    {
        int32_t i = 0;
        if (vibrato.isOn()) {
            for (; i + P::kWidth <= count; i += P::kWidth)
                modulatePack(output + i);
        }
        for (; i < count; ++i) {
            pulsePhase += pulseIncrement;
            output[i] = vibrato.modulate(output[i], lanes.sineSlopes) * outputGain;
        }
        lanes.pulsePhase[lane] = pulsePhase;
        vibrato.store(lanes, lane);
    }

private:
    [[gnu::always_inline]] inline void modulatePack(float* output)
    {
        // Positions past the pack's samples stay at 0, inside the period.
        float phases[4] = {};
#pragma GCC unroll 4
        for (int32_t j = 0; j < P::kWidth; ++j) {
            pulsePhase += pulseIncrement;
            phases[j] = vibrato.advance();
        }
        const D sine = P::widen(P::narrow(A::readSine(lanes.sineSlopes, FL::fromFour(phases))));
        const F sums = P::loadPack(output);
        const F modulated = P::narrow(P::mul(P::add(P::mul(sine, depth), P::set1(1.0)), P::widen(sums)));
        P::storePack(output, FL::mul(modulated, FL::set1(outputGain)));
    }

    VoiceLanes& lanes;
    const int32_t lane;
    float pulsePhase;
    const float pulseIncrement;
    const float outputGain;
    const D depth = P::set1(lanes.vibratoDepth[lane]);
    SoloVibrato<P> vibrato;
};

template <class P>
void replayOne(VoiceLanes& lanes, int32_t lane, int32_t count, float* output)
{
    SoloReplay<P>(lanes, lane).run(output, count);
}

}  // namespace lanekernel
