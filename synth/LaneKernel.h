#pragma once

// The per-sample arithmetic of StrikeVoice::tick, ModeResonator::tick and
// VibratoOscillator::tick, written once over packs of lanes: D holds the
// lanes as doubles, F (always __m128) as floats. Each instruction-set file
// supplies the pack P and instantiates these templates with its own compiler
// flags; nothing here may be an ordinary inline function, which the linker
// could share between files built for different processors.
//
// Every lane gives the scalar voice's samples bit for bit. Three facts allow
// the shortcuts taken here, all checked on every float:
// - float(double(a) op double(b)) equals a op b done in float for + and *
//   (a double has more than twice a float's precision plus two bits), so
//   sums of floats rounded to float are done in float;
// - the resonator's flush float((s + 1e-18f) - 1e-18f) leaves every s with
//   |s| >= 2^-89 unchanged and leaves +0 unchanged; only tiny states and -0
//   need it, and the flush is computed only on samples that meet one;
// - the flush gives the same result applied twice as once, so a state that
//   has been flushed is never flushed again.

#include <cstdint>
#include <xmmintrin.h>
#include <emmintrin.h>

#include "synth/VoiceLanes.h"

namespace lanekernel {

template <class P>
struct FloatLanes {
    using F = __m128;

    static F add(F a, F b) { return _mm_add_ps(a, b); }
    static F sub(F a, F b) { return _mm_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm_mul_ps(a, b); }
    static F set1(float value) { return _mm_set1_ps(value); }
    static F zero() { return _mm_setzero_ps(); }
    // Ordered comparisons, false for NaN, as in C; notEqual is true for NaN, as != is.
    static F greaterOrEqual(F a, F b) { return _mm_cmpge_ps(a, b); }
    static F less(F a, F b) { return _mm_cmplt_ps(a, b); }
    static F notEqual(F a, F b) { return _mm_cmpneq_ps(a, b); }
    static F both(F a, F b) { return _mm_and_ps(a, b); }
    static F select(F mask, F yes, F no) { return P::selectFloats(mask, yes, no); }
    static bool any(F mask) { return (_mm_movemask_ps(mask) & P::kLaneBits) != 0; }
    static F inRange(F value, F end) { return both(greaterOrEqual(value, zero()), less(value, end)); }

    // Lanes whose state the flush would change: 0 < |s| < 2^-89 and -0. A NaN
    // state is left as it is by the flush (the states here come from
    // arithmetic, so their NaNs are quiet ones).
    static __m128i needsFlush(F state)
    {
        const __m128i bits = _mm_castps_si128(state);
        const __m128i magnitude = _mm_and_si128(bits, _mm_set1_epi32(0x7fffffff));
        const __m128i tiny = _mm_cmpgt_epi32(_mm_set1_epi32(kFlushedBelow), magnitude);
        return _mm_andnot_si128(_mm_cmpeq_epi32(bits, _mm_setzero_si128()), tiny);
    }

    // 2^-89 as float bits: the smallest magnitude the flush leaves unchanged.
    static constexpr int32_t kFlushedBelow = 0x13000000;
};

template <class P>
struct Arithmetic {
    using D = typename P::D;
    using F = __m128;
    using FL = FloatLanes<P>;

    static D flush(D value, D offset) { return P::widen(P::narrow(P::sub(P::add(value, offset), offset))); }

    // t[i+1] + f * (t[i+1] - t[i]) at position i + f, in double; lanes
    // outside `valid` read position 0.
    static D readTable(const float* table, F position, F valid)
    {
        return readTableInside(table, FL::select(valid, position, FL::zero()));
    }

    // The sine read from its slopes: every lane's position is inside the period.
    static D readSine(const double (*slopes)[2], F position)
    {
        const __m128i index = _mm_cvttps_epi32(position);
        D next;
        D rise;
        P::gatherSlopes(slopes, index, next, rise);
        const D fraction = P::fractionOf(position, index);
        return P::add(next, P::mul(fraction, rise));
    }

    // The same where every lane's position is inside the table.
    static D readTableInside(const float* table, F position)
    {
        const __m128i index = _mm_cvttps_epi32(position);
        F current;
        F next;
        P::gatherPair(table, index, current, next);
        const D fraction = P::sub(P::widen(position), P::widenIndex(index));
        const D nextValue = P::widen(next);
        return P::add(nextValue, P::mul(fraction, P::sub(nextValue, P::widen(current))));
    }
};

enum class Vibrato {
    Off,         // no lane has it on
    Everywhere,  // every lane has it on, and its phase cannot leave the period
    Mixed,       // anything else, as the oscillator handles it
};

// kPulse false: no lane's pulse can be read in this call (the phase is past
// the pulse's end and does not run backwards), so only its phase advances.
template <class P, Vibrato kVibrato, bool kPulse>
void advance(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    using D = typename P::D;
    using F = __m128;
    using A = Arithmetic<P>;
    using FL = FloatLanes<P>;
    constexpr int32_t kModes = VoiceLanes::kModes;
    if (count <= 0)
        return;
    const D flushOffset = P::set1(static_cast<double>(1e-18f));
    const F pulseEnd = FL::set1(256.0f);
    const F period = FL::set1(4096.0f);
    const D one = P::set1(1.0);

    F pulsePhase = P::narrow(P::load(lanes.pulsePhase + first));
    const F pulseIncrement = P::narrow(P::load(lanes.pulseIncrement + first));
    const D amplitude = P::load(lanes.amplitude + first);
    // The drive on samples where no lane reads the pulse: float(0.0 * amplitude).
    const F quietDrive = P::narrow(P::mul(P::zero(), amplitude));
    // Only the states stay in registers from sample to sample; the settings
    // are read from the lanes where they are used (see below).
    alignas(32) double quietInput[kModes][P::kWidth];
    D state0[kModes], state1[kModes];
    F output[kModes];
    __m128i flushing = _mm_setzero_si128();
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k) {
        P::store(quietInput[k], P::mul(P::widen(quietDrive), P::load(lanes.gain[k] + first)));
        state0[k] = P::load(lanes.state0[k] + first);
        flushing = _mm_or_si128(flushing, FL::needsFlush(P::narrow(state0[k])));
        // Flushed once here, which is what every later flush of it would give.
        state1[k] = A::flush(P::load(lanes.state1[k] + first), flushOffset);
        output[k] = FL::zero();
    }
    bool flushStates = FL::any(_mm_castsi128_ps(flushing));
    F vibratoPhase = P::narrow(P::load(lanes.vibratoPhase + first));
    const F vibratoIncrement = P::narrow(P::load(lanes.vibratoIncrement + first));
    const D depth = P::load(lanes.vibratoDepth + first);
    const F vibratoOn = FL::notEqual(P::narrow(depth), FL::zero());
    const F outputGain = P::narrow(P::load(lanes.outputGain + first));

    const auto step = [&]() __attribute__((always_inline)) {
        // Hidden from the optimiser, so that it reads the settings from memory
        // at each use rather than holding them in registers the states need.
        const VoiceLanes* settings = &lanes;
        const double(*quiet)[P::kWidth] = quietInput;
        __asm__("" : "+r"(settings), "+r"(quiet));
        pulsePhase = FL::add(pulsePhase, pulseIncrement);
        const F pulsing = kPulse ? FL::inRange(pulsePhase, pulseEnd) : FL::zero();
        D input[kModes];
        // The pulse lasts a few dozen samples after a strike: most samples skip the read.
        if (kPulse && FL::any(pulsing)) {
            const F excitation = P::narrow(P::mul(A::readTable(settings->pulseTable, pulsePhase, pulsing), amplitude));
            const D drive = P::widen(FL::select(pulsing, excitation, quietDrive));
#pragma GCC unroll 4
            for (int32_t k = 0; k < kModes; ++k)
                input[k] = P::mul(drive, P::load(settings->gain[k] + first));
        } else {
#pragma GCC unroll 4
            for (int32_t k = 0; k < kModes; ++k)
                input[k] = P::load(quiet[k]);
        }
        if (flushStates) {
#pragma GCC unroll 4
            for (int32_t k = 0; k < kModes; ++k)
                state0[k] = A::flush(state0[k], flushOffset);
        }
        F raw[kModes];
#pragma GCC unroll 4
        for (int32_t k = 0; k < kModes; ++k) {
            const D s0 = state0[k];
            const D s1 = state1[k];
            const D w = P::add(P::add(input[k], P::mul(P::load(settings->feedback1[k] + first), s0)),
                P::mul(P::load(settings->feedback2[k] + first), s1));
            output[k] = P::narrow(P::add(P::add(w, P::mul(P::load(settings->feedforward1[k] + first), s0)),
                P::mul(P::load(settings->feedforward2[k] + first), s1)));
            state1[k] = s0;
            raw[k] = P::narrow(w);
            state0[k] = P::widen(raw[k]);
        }
        flushStates = P::anyNeedsFlush(raw[0], raw[1], raw[2], raw[3]);
        F sum = FL::add(FL::add(FL::add(output[0], output[1]), output[2]), output[3]);
        if constexpr (kVibrato == Vibrato::Everywhere) {
            F phase = FL::add(vibratoPhase, vibratoIncrement);
            phase = FL::select(FL::greaterOrEqual(phase, period), FL::sub(phase, period), phase);
            vibratoPhase = phase;
            const D vibrato = P::widen(P::narrow(A::readSine(lanes.sineSlopes, phase)));
            sum = P::narrow(P::mul(P::add(P::mul(vibrato, depth), one), P::widen(sum)));
        }
        if constexpr (kVibrato == Vibrato::Mixed) {
            F phase = FL::add(vibratoPhase, vibratoIncrement);
            phase = FL::select(FL::greaterOrEqual(phase, period), FL::sub(phase, period), phase);
            const F inside = FL::inRange(phase, period);
            if (FL::any(_mm_xor_ps(inside, _mm_castsi128_ps(_mm_set1_epi32(-1))))) {
                // A negative rate runs backwards and wraps upwards; whatever is
                // still outside the period starts again at 0.
                phase = FL::select(FL::less(phase, FL::zero()), FL::add(phase, period), phase);
                phase = FL::select(FL::inRange(phase, period), phase, FL::zero());
            }
            const D vibrato = P::widen(P::narrow(A::readSine(lanes.sineSlopes, phase)));
            vibratoPhase = FL::select(vibratoOn, phase, vibratoPhase);
            const F modulated = P::narrow(P::mul(P::add(P::mul(vibrato, depth), one), P::widen(sum)));
            sum = FL::select(vibratoOn, modulated, sum);
        }
        return FL::mul(sum, outputGain);
    };
    // Four samples at a time, so that each lane's four go out in one store.
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const F a = step();
        const F b = step();
        const F c = step();
        const F d = step();
        P::storeFour(outputs, i, a, b, c, d);
    }
    for (; i < count; ++i)
        P::storeLanes(outputs, i, step());

    P::store(lanes.pulsePhase + first, P::widen(pulsePhase));
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k) {
        P::store(lanes.state0[k] + first, state0[k]);
        P::store(lanes.state1[k] + first, state1[k]);
        P::store(lanes.output[k] + first, P::widen(output[k]));
    }
    P::store(lanes.vibratoPhase + first, P::widen(vibratoPhase));
}

template <class P, bool kPulse>
void renderGroupWith(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    using FL = FloatLanes<P>;
    const __m128 on = FL::notEqual(P::narrow(P::load(lanes.vibratoDepth + first)), FL::zero());
    if (!FL::any(on))
        return advance<P, Vibrato::Off, kPulse>(lanes, first, count, outputs);
    // A phase and an increment both in 0..4096 stay there after the one wrap.
    const __m128 period = FL::set1(4096.0f);
    const __m128 phaseInside = FL::inRange(P::narrow(P::load(lanes.vibratoPhase + first)), period);
    const __m128 stepInside = FL::inRange(P::narrow(P::load(lanes.vibratoIncrement + first)), period);
    const int32_t everywhere = _mm_movemask_ps(FL::both(on, FL::both(phaseInside, stepInside))) & P::kLaneBits;
    if (everywhere == P::kLaneBits)
        return advance<P, Vibrato::Everywhere, kPulse>(lanes, first, count, outputs);
    advance<P, Vibrato::Mixed, kPulse>(lanes, first, count, outputs);
}

template <class P>
void renderGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    // Past the end with a forward (or NaN) step, the pulse stays unread; NaN
    // phases compare as past the end here and never read it either.
    const __m128 phase = P::narrow(P::load(lanes.pulsePhase + first));
    const __m128 step = P::narrow(P::load(lanes.pulseIncrement + first));
    const __m128 over = _mm_and_ps(_mm_cmpnlt_ps(phase, _mm_set1_ps(256.0f)), _mm_cmpnlt_ps(step, _mm_setzero_ps()));
    if ((_mm_movemask_ps(over) & P::kLaneBits) == P::kLaneBits)
        return renderGroupWith<P, false>(lanes, first, count, outputs);
    renderGroupWith<P, true>(lanes, first, count, outputs);
}

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
    using F = __m128;
    using A = Arithmetic<P>;
    using FL = FloatLanes<P>;
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
        __m128i flushing = FL::needsFlush(rawState0[0]);
#pragma GCC unroll 4
        for (int32_t v = 1; v < kVectors; ++v)
            flushing = _mm_or_si128(flushing, FL::needsFlush(rawState0[v]));
        if (FL::any(_mm_castsi128_ps(flushing))) {
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

// left[i] = float(left[i] + voice[i] * leftGain), and the same on the right,
// four samples per step and the rest one by one.
template <class P>
void mixVoice(const float* voice, double leftGain, double rightGain, float* left, float* right, int32_t count)
{
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        P::mixFour(voice + i, leftGain, rightGain, left + i, right + i);
    }
    for (; i < count; ++i) {
        right[i] = static_cast<float>(right[i] + voice[i] * rightGain);
        left[i] = static_cast<float>(left[i] + voice[i] * leftGain);
    }
}

}  // namespace lanekernel
