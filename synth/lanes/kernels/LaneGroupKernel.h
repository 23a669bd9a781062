#pragma once

// Advances a group of voices, one per lane, through a span of samples: the
// arithmetic of StrikeVoice::tick and its resonators and oscillator (see
// LaneArithmetic.h for the rules that keep it bit for bit).

#include <cstdint>

#include "synth/lanes/kernels/LaneArithmetic.h"

namespace lanekernel {

enum class Vibrato {
    Off,         // no lane has it on
    Everywhere,  // every lane has it on, and its phase cannot leave the period
    Mixed,       // anything else, as the oscillator handles it
};

// What drives a group's modes in a span. The first feed-forward coefficient
// is 0 in every lane and the states stay finite (see VoiceLanes::load), so
// (w + 0 * s0) is w unless w is -0 and the product +0; w is -0 only when the
// drive times the gain (above 0) is -0. A drive of +0 (a pulse over for
// good, an amplitude not below 0) never is; nor is a pulse read with an
// amplitude of at least kAudibleStrike: a read is never -0, and above 2^-53
// in size where it is below 0 (between the table's last two entries), so the
// product cannot round to -0 either. Elsewhere (a note-off's pulse, read
// with an amplitude of 0) the product is added as the voice adds it.
enum class Drive {
    Quiet,     // no lane can read its pulse in the span
    Pulse,     // pulses are read, each with an amplitude of at least kAudibleStrike
    AnyPulse,  // anything else
};

constexpr float kAudibleStrike = 0x1p-90f;

// The vibrato of a group's lanes: VibratoOscillator::tick and the modulation
// in StrikeVoice::tick.
template <class P, Vibrato kVibrato>
class GroupVibrato {
public:
    using D = typename P::D;
    using A = Arithmetic<P>;
    using FL = typename P::Floats;
    using F = typename FL::F;

    [[gnu::always_inline]] inline GroupVibrato(const VoiceLanes& lanes, int32_t first)
        : phase(P::narrow(P::load(lanes.vibratoPhase + first))),
          increment(P::narrow(P::load(lanes.vibratoIncrement + first))), depth(P::load(lanes.vibratoDepth + first)),
          on(FL::notEqual(P::narrow(depth), FL::zero()))
    {
    }

    [[gnu::always_inline]] inline F modulate(F sum, const double (*sineSlopes)[2]);
    [[gnu::always_inline]] inline void store(VoiceLanes& lanes, int32_t first) const
    {
        P::store(lanes.vibratoPhase + first, P::widen(phase));
    }

private:
    const F period = FL::set1(4096.0f);
    F phase;
    const F increment;
    const D depth;
    const F on;
};

template <class P, Vibrato kVibrato>
typename GroupVibrato<P, kVibrato>::F GroupVibrato<P, kVibrato>::modulate(F sum, const double (*sineSlopes)[2])
{
    if constexpr (kVibrato == Vibrato::Off)
        return sum;
    F next = FL::add(phase, increment);
    next = FL::select(FL::greaterOrEqual(next, period), FL::sub(next, period), next);
    if constexpr (kVibrato == Vibrato::Mixed) {
        if (!FL::all(FL::inRange(next, period))) {
            // A negative rate runs backwards and wraps upwards; whatever is
            // still outside the period starts again at 0.
            next = FL::select(FL::less(next, FL::zero()), FL::add(next, period), next);
            next = FL::select(FL::inRange(next, period), next, FL::zero());
        }
    }
    const D vibrato = P::widen(P::narrow(A::readSine(sineSlopes, next)));
    const F modulated = P::narrow(P::mul(P::add(P::mul(vibrato, depth), P::set1(1.0)), P::widen(sum)));
    if constexpr (kVibrato == Vibrato::Everywhere) {
        phase = next;
        return modulated;
    }
    phase = FL::select(on, next, phase);
    return FL::select(on, modulated, sum);
}

// What a group's run keeps in memory rather than in registers. Apart from the
// run itself: an object whose address the optimiser cannot follow keeps all
// its members in memory.
template <class P, class FL>
struct GroupScratch {
    // The drive of every mode on samples without pulse.
    alignas(64) double quietInput[VoiceLanes::kModes][P::kWidth];
    // The voice keeps its last state unflushed, as the scalar code leaves it;
    // kept here only on the samples that flushed it.
    float unflushed[VoiceLanes::kModes][FL::kStride] = {};
};

// One group's run through a span, its states held in registers: the
// arithmetic of StrikeVoice::tick, one lane per voice. With a quiet drive no
// lane's pulse can be read in this span (the phase is past the pulse's end
// and does not run backwards), so only its phase advances.
template <class P, Vibrato kVibrato, Drive kDrive>
class GroupRun {
public:
    using D = typename P::D;
    using A = Arithmetic<P>;
    using FL = typename P::Floats;
    using F = typename FL::F;
    static constexpr int32_t kModes = VoiceLanes::kModes;
    static constexpr bool kPulse = kDrive != Drive::Quiet;
    using Scratch = GroupScratch<P, FL>;

    [[gnu::always_inline]] inline GroupRun(VoiceLanes& voiceLanes, int32_t firstLane, Scratch& scratchMemory);
    // One sample of every lane.
    [[gnu::always_inline]] inline F step();
    // Writes the running state back into the lanes.
    [[gnu::always_inline]] inline void finish();

private:
    [[gnu::always_inline]] inline void loadModes();
    [[gnu::always_inline]] inline void drive(const VoiceLanes& settings, const double (*quiet)[P::kWidth], D* input);
    [[gnu::always_inline]] inline F resonate(const VoiceLanes& settings, const D* input);
    [[gnu::always_inline]] inline void flushForTheNextSample(F* raw);

    VoiceLanes& lanes;
    const int32_t first;
    Scratch& scratch;
    const D flushOffset = P::set1(static_cast<double>(1e-18f));
    F pulsePhase;
    const F pulseIncrement;
    const D amplitude;
    // The drive on samples where no lane reads the pulse: float(0.0 * amplitude).
    const F quietDrive;
    // Only the states stay in registers from sample to sample; the settings
    // are read from the lanes where they are used (see step).
    D state0[kModes];
    D state1[kModes];
    F output[kModes];
    bool lastFlushed = false;
    GroupVibrato<P, kVibrato> vibrato;
    const F outputGain;
};

template <class P, Vibrato kVibrato, Drive kDrive>
GroupRun<P, kVibrato, kDrive>::GroupRun(VoiceLanes& voiceLanes, int32_t firstLane, Scratch& scratchMemory)
    : lanes(voiceLanes), first(firstLane), scratch(scratchMemory), pulsePhase(P::narrow(P::load(lanes.pulsePhase + first))),
      pulseIncrement(P::narrow(P::load(lanes.pulseIncrement + first))), amplitude(P::load(lanes.amplitude + first)),
      quietDrive(P::narrow(P::mul(P::zero(), amplitude))), vibrato(lanes, first),
      outputGain(P::narrow(P::load(lanes.outputGain + first)))
{
    loadModes();
}

template <class P, Vibrato kVibrato, Drive kDrive>
void GroupRun<P, kVibrato, kDrive>::loadModes()
{
    F flushing = FL::zero();
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k) {
        P::store(scratch.quietInput[k], P::mul(P::widen(quietDrive), P::load(lanes.gain[k] + first)));
        state0[k] = P::load(lanes.state0[k] + first);
        flushing = FL::either(flushing, FL::needsFlush(P::narrow(state0[k])));
        // Flushed once here, which is what every later flush of it would give.
        state1[k] = A::flush(P::load(lanes.state1[k] + first), flushOffset);
        output[k] = FL::zero();
    }
    if (FL::any(flushing)) {
#pragma GCC unroll 4
        for (int32_t k = 0; k < kModes; ++k)
            state0[k] = A::flush(state0[k], flushOffset);
    }
}

template <class P, Vibrato kVibrato, Drive kDrive>
typename GroupRun<P, kVibrato, kDrive>::F GroupRun<P, kVibrato, kDrive>::step()
{
    // Hidden from the optimiser, so that it reads the settings from memory at
    // each use rather than holding them in registers the states need.
    const VoiceLanes* settings = &lanes;
    const double(*quiet)[P::kWidth] = scratch.quietInput;
    __asm__("" : "+r"(settings), "+r"(quiet));
    D input[kModes];
    drive(*settings, quiet, input);
    return FL::mul(vibrato.modulate(resonate(*settings, input), lanes.sineSlopes), outputGain);
}

template <class P, Vibrato kVibrato, Drive kDrive>
void GroupRun<P, kVibrato, kDrive>::drive(const VoiceLanes& settings, const double (*quiet)[P::kWidth], D* input)
{
    pulsePhase = FL::add(pulsePhase, pulseIncrement);
    const F pulsing = kPulse ? FL::inRange(pulsePhase, FL::set1(256.0f)) : FL::zero();
    // The pulse lasts a few dozen samples after a strike: most samples skip the read.
    if (kPulse && FL::any(pulsing)) {
        const F excitation = P::narrow(P::mul(A::readTable(settings.pulseTable, pulsePhase, pulsing), amplitude));
        const D drive = P::widen(FL::select(pulsing, excitation, quietDrive));
#pragma GCC unroll 4
        for (int32_t k = 0; k < kModes; ++k)
            input[k] = P::mul(drive, P::load(settings.gain[k] + first));
        return;
    }
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k)
        input[k] = P::load(quiet[k]);
}

// The modes' sum. Every lane's second feed-forward coefficient is -1 (see
// VoiceLanes::load): t + (-1 * s) is t - s, bit for bit, NaNs included; the
// first is 0 (see Drive).
template <class P, Vibrato kVibrato, Drive kDrive>
typename GroupRun<P, kVibrato, kDrive>::F GroupRun<P, kVibrato, kDrive>::resonate(
    const VoiceLanes& settings, const D* input)
{
    F raw[kModes];
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k) {
        const D s0 = state0[k];
        const D s1 = state1[k];
        const D w = P::add(P::add(input[k], P::mul(P::load(settings.feedback1[k] + first), s0)),
            P::mul(P::load(settings.feedback2[k] + first), s1));
        if constexpr (kDrive == Drive::AnyPulse)
            output[k] = P::narrow(P::sub(P::add(w, P::mul(P::load(settings.feedforward1[k] + first), s0)), s1));
        else
            output[k] = P::narrow(P::sub(w, s1));
        state1[k] = s0;
        raw[k] = P::narrow(w);
    }
    flushForTheNextSample(raw);
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k)
        state0[k] = P::widen(raw[k]);
    return FL::add(FL::add(FL::add(output[0], output[1]), output[2]), output[3]);
}

// The flush the next sample starts with, done here on the float states,
// before they are widened for it.
template <class P, Vibrato kVibrato, Drive kDrive>
void GroupRun<P, kVibrato, kDrive>::flushForTheNextSample(F* raw)
{
    lastFlushed = P::anyNeedsFlush(raw[0], raw[1], raw[2], raw[3]);
    if (!lastFlushed)
        return;
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k) {
        FL::store(scratch.unflushed[k], raw[k]);
        raw[k] = P::narrow(P::sub(P::add(P::widen(raw[k]), flushOffset), flushOffset));
    }
}

template <class P, Vibrato kVibrato, Drive kDrive>
void GroupRun<P, kVibrato, kDrive>::finish()
{
    P::store(lanes.pulsePhase + first, P::widen(pulsePhase));
#pragma GCC unroll 4
    for (int32_t k = 0; k < kModes; ++k) {
        P::store(lanes.state0[k] + first, lastFlushed ? P::widen(FL::load(scratch.unflushed[k])) : state0[k]);
        P::store(lanes.state1[k] + first, state1[k]);
        P::store(lanes.output[k] + first, P::widen(output[k]));
    }
    vibrato.store(lanes, first);
}

template <class P, Vibrato kVibrato, Drive kDrive>
void advance(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    if (count <= 0)
        return;
    typename GroupRun<P, kVibrato, kDrive>::Scratch scratch;
    GroupRun<P, kVibrato, kDrive> run(lanes, first, scratch);
    // Four samples at a time, so that each lane's four go out in one store.
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const auto a = run.step();
        const auto b = run.step();
        const auto c = run.step();
        const auto d = run.step();
        P::storeFour(outputs, i, a, b, c, d);
    }
    for (; i < count; ++i)
        P::storeLanes(outputs, i, run.step());
    run.finish();
}

template <class P>
Vibrato vibratoOf(const VoiceLanes& lanes, int32_t first)
{
    using FL = typename P::Floats;
    const auto on = FL::notEqual(P::narrow(P::load(lanes.vibratoDepth + first)), FL::zero());
    if (!FL::any(on))
        return Vibrato::Off;
    // A phase and an increment both in 0..4096 stay there after the one wrap.
    const auto period = FL::set1(4096.0f);
    const auto phaseInside = FL::inRange(P::narrow(P::load(lanes.vibratoPhase + first)), period);
    const auto stepInside = FL::inRange(P::narrow(P::load(lanes.vibratoIncrement + first)), period);
    return FL::all(FL::both(on, FL::both(phaseInside, stepInside))) ? Vibrato::Everywhere : Vibrato::Mixed;
}

template <class P, Drive kDrive>
void renderGroupWith(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    switch (vibratoOf<P>(lanes, first)) {
    case Vibrato::Off:
        return advance<P, Vibrato::Off, kDrive>(lanes, first, count, outputs);
    case Vibrato::Everywhere:
        return advance<P, Vibrato::Everywhere, kDrive>(lanes, first, count, outputs);
    default:
        return advance<P, Vibrato::Mixed, kDrive>(lanes, first, count, outputs);
    }
}

template <class P>
void renderGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    // Past the end with a forward (or NaN) step, the pulse stays unread; NaN
    // phases compare as past the end here and never read it either.
    using FL = typename P::Floats;
    const auto phase = P::narrow(P::load(lanes.pulsePhase + first));
    const auto step = P::narrow(P::load(lanes.pulseIncrement + first));
    const auto over = FL::both(FL::notLess(phase, FL::set1(256.0f)), FL::notLess(step, FL::zero()));
    if (FL::all(over))
        return renderGroupWith<P, Drive::Quiet>(lanes, first, count, outputs);
    const auto audible = FL::greaterOrEqual(P::narrow(P::load(lanes.amplitude + first)), FL::set1(kAudibleStrike));
    if (FL::all(FL::either(over, audible)))
        return renderGroupWith<P, Drive::Pulse>(lanes, first, count, outputs);
    renderGroupWith<P, Drive::AnyPulse>(lanes, first, count, outputs);
}

// A group whose voices ring on in their modes' cycles (see ModeCycles): each
// lane's output already holds the sum of its modes, sample by sample, and
// only the pulse's phase, the vibrato and the output gain remain to be done.
template <class P, Vibrato kVibrato>
class ReplayRun {
public:
    using FL = typename P::Floats;
    using F = typename FL::F;

    [[gnu::always_inline]] inline ReplayRun(VoiceLanes& voiceLanes, int32_t firstLane)
        : lanes(voiceLanes), first(firstLane), pulsePhase(P::narrow(P::load(lanes.pulsePhase + first))),
          pulseIncrement(P::narrow(P::load(lanes.pulseIncrement + first))), vibrato(lanes, first),
          outputGain(P::narrow(P::load(lanes.outputGain + first)))
    {
    }

    [[gnu::always_inline]] inline F step(F sum)
    {
        pulsePhase = FL::add(pulsePhase, pulseIncrement);
        return FL::mul(vibrato.modulate(sum, lanes.sineSlopes), outputGain);
    }

    [[gnu::always_inline]] inline void finish()
    {
        P::store(lanes.pulsePhase + first, P::widen(pulsePhase));
        vibrato.store(lanes, first);
    }

private:
    VoiceLanes& lanes;
    const int32_t first;
    F pulsePhase;
    const F pulseIncrement;
    GroupVibrato<P, kVibrato> vibrato;
    const F outputGain;
};

template <class P, Vibrato kVibrato>
void replay(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    using F = typename P::Floats::F;
    if (count <= 0)
        return;
    ReplayRun<P, kVibrato> run(lanes, first);
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        F a;
        F b;
        F c;
        F d;
        P::loadFour(outputs, i, a, b, c, d);
        a = run.step(a);
        b = run.step(b);
        c = run.step(c);
        d = run.step(d);
        P::storeFour(outputs, i, a, b, c, d);
    }
    for (; i < count; ++i)
        P::storeLanes(outputs, i, run.step(P::loadLanes(outputs, i)));
    run.finish();
}

template <class P>
void replayGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    switch (vibratoOf<P>(lanes, first)) {
    case Vibrato::Off:
        return replay<P, Vibrato::Off>(lanes, first, count, outputs);
    case Vibrato::Everywhere:
        return replay<P, Vibrato::Everywhere>(lanes, first, count, outputs);
    default:
        return replay<P, Vibrato::Mixed>(lanes, first, count, outputs);
    }
}

}  // namespace lanekernel
