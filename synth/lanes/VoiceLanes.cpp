#include "synth/lanes/VoiceLanes.h"

#include <cmath>
#include <mutex>

#include "synth/voice/WaveTables.h"

namespace {

// Below this an age counted up one sample at a time stays an exact integer
// in a float for longer than any render call.
constexpr double kExactAgeLimit = 16777216.0 - 65536.0;

double sineSlopeTable[SineTable::kPeriod][2];
bool sineSlopesMade = false;
std::once_flag sineSlopesOnce;

// What lets the kernels drop the first feed-forward coefficient's product
// (see Drive in kernels/LaneGroupKernel.h): it must be 0, and each state must
// stay finite through a span, which it does while the poles lie on or
// inside the unit circle (the coefficients in the triangle of stability,
// with room for their rounding): a state then grows by at most a factor of
// n + 1 in n samples, plus the drive's share. Gains and amplitudes above 0
// (an amplitude may also be 0) keep the drive from being -0.
// Every test is made, without branches: they pass for every voice.
inline bool modeWithinBounds(const ModeState& mode)
{
    constexpr float kLargestState = 18446744073709551616.0f;  // 2^64
    constexpr float kLargestGain = 4294967296.0f;              // 2^32
    constexpr float kEdge = 1.0f + 1.0f / 1048576.0f;
    const bool zeros = (mode.feedforward1 == 0.0f) & (mode.feedforward2 == VoiceLanes::kFeedforward2);
    const bool gain = (mode.gain > 0.0f) & (mode.gain <= kLargestGain);
    const bool stable = (std::fabs(mode.feedback2) <= kEdge) & (std::fabs(mode.feedback1) <= kEdge - mode.feedback2);
    const bool states = (std::fabs(mode.state0) <= kLargestState) & (std::fabs(mode.state1) <= kLargestState);
    return zeros & gain & stable & states;
}

bool withinBounds(const VoiceState& voice)
{
    constexpr float kLargestAmplitude = 4294967296.0f;  // 2^32
    if (!(voice.amplitude >= 0.0f && voice.amplitude <= kLargestAmplitude) || std::signbit(voice.amplitude))
        return false;
    return modeWithinBounds(voice.modes[0]) & modeWithinBounds(voice.modes[1]) & modeWithinBounds(voice.modes[2])
        & modeWithinBounds(voice.modes[3]);
}

bool sameOrFirst(const float*& chosen, const float* table)
{
    if (table == nullptr)
        return false;
    if (chosen == nullptr)
        chosen = table;
    return chosen == table;
}

}  // namespace

void VoiceLanes::prepareTables(const float* sine)
{
    if (sine == nullptr)
        return;
    // The sine table's entries are the same whenever it is made, so the slopes
    // made from one of its lives serve all of them.
    std::call_once(sineSlopesOnce, [sine]() {
        for (int32_t i = 0; i < SineTable::kPeriod; ++i) {
            const double next = sine[i + 1];
            sineSlopeTable[i][0] = next;
            sineSlopeTable[i][1] = next - sine[i];
        }
        sineSlopesMade = true;
    });
}

void VoiceLanes::begin()
{
    pulseTable = nullptr;
    sineTable = nullptr;
    sineSlopes = sineSlopesMade ? sineSlopeTable : nullptr;
}

bool VoiceLanes::load(int32_t lane, const VoiceState& voice)
{
    const double voiceAge = voice.age;
    if (!(voiceAge >= 0.0 && voiceAge <= kExactAgeLimit && voiceAge == std::floor(voiceAge)))
        return false;
    const double limit = 2.0 * voice.sampleRate;
    if (!std::isfinite(limit))
        return false;
    if (sineSlopes == nullptr || !sameOrFirst(pulseTable, voice.pulseTable)
        || !sameOrFirst(sineTable, voice.sineTable))
        return false;
    if (!withinBounds(voice))
        return false;
    pulsePhase[lane] = voice.pulsePhase;
    pulseIncrement[lane] = voice.pulseIncrement;
    amplitude[lane] = voice.amplitude;
    for (int32_t mode = 0; mode < kModes; ++mode) {
        const ModeState& resonator = voice.modes[mode];
        gain[mode][lane] = resonator.gain;
        feedback1[mode][lane] = resonator.feedback1;
        feedback2[mode][lane] = resonator.feedback2;
        feedforward1[mode][lane] = resonator.feedforward1;
        feedforward2[mode][lane] = resonator.feedforward2;
        state0[mode][lane] = resonator.state0;
        state1[mode][lane] = resonator.state1;
        output[mode][lane] = resonator.output;
    }
    vibratoPhase[lane] = voice.vibratoPhase;
    vibratoIncrement[lane] = voice.vibratoIncrement;
    vibratoDepth[lane] = voice.vibratoDepth;
    outputGain[lane] = voice.outputGain;
    age[lane] = voiceAge;
    finishLimit[lane] = limit;
    return true;
}

void VoiceLanes::store(int32_t lane, VoiceState& voice, int32_t samples, bool finished) const
{
    voice.pulsePhase = static_cast<float>(pulsePhase[lane]);
    for (int32_t mode = 0; mode < kModes; ++mode) {
        ModeState& resonator = voice.modes[mode];
        resonator.state0 = static_cast<float>(state0[mode][lane]);
        resonator.state1 = static_cast<float>(state1[mode][lane]);
        resonator.output = static_cast<float>(output[mode][lane]);
    }
    voice.vibratoPhase = static_cast<float>(vibratoPhase[lane]);
    voice.age = static_cast<float>(age[lane] + samples);
    if (finished)
        voice.finished = true;
}

void VoiceLanes::move(int32_t from, int32_t to)
{
    pulsePhase[to] = pulsePhase[from];
    pulseIncrement[to] = pulseIncrement[from];
    amplitude[to] = amplitude[from];
    for (int32_t mode = 0; mode < kModes; ++mode) {
        gain[mode][to] = gain[mode][from];
        feedback1[mode][to] = feedback1[mode][from];
        feedback2[mode][to] = feedback2[mode][from];
        feedforward1[mode][to] = feedforward1[mode][from];
        feedforward2[mode][to] = feedforward2[mode][from];
        state0[mode][to] = state0[mode][from];
        state1[mode][to] = state1[mode][from];
        output[mode][to] = output[mode][from];
    }
    vibratoPhase[to] = vibratoPhase[from];
    vibratoIncrement[to] = vibratoIncrement[from];
    vibratoDepth[to] = vibratoDepth[from];
    outputGain[to] = outputGain[from];
    age[to] = age[from];
    finishLimit[to] = finishLimit[from];
}

void VoiceLanes::makeIdle(int32_t lane, int32_t like)
{
    // A phase past the pulse's end: the lane never reads the pulse table.
    pulsePhase[lane] = 1024.0;
    pulseIncrement[lane] = 0.0;
    amplitude[lane] = 0.0;
    for (int32_t mode = 0; mode < kModes; ++mode) {
        gain[mode][lane] = 0.0;
        feedback1[mode][lane] = 0.0;
        feedback2[mode][lane] = 0.0;
        feedforward1[mode][lane] = 0.0;
        feedforward2[mode][lane] = kFeedforward2;
        state0[mode][lane] = 0.0;
        state1[mode][lane] = 0.0;
        output[mode][lane] = 0.0;
    }
    vibratoPhase[lane] = vibratoPhase[like];
    vibratoIncrement[lane] = vibratoIncrement[like];
    vibratoDepth[lane] = vibratoDepth[like];
    outputGain[lane] = 0.0;
    age[lane] = 0.0;
    finishLimit[lane] = 0.0;
}

int32_t VoiceLanes::samplesToFinish(int32_t lane, int32_t limit) const
{
    // The voice finishes on the first sample whose age (exact integers here)
    // exceeds the limit.
    const double samples = std::floor(finishLimit[lane]) + 1.0 - age[lane];
    if (!(samples > 1.0))
        return 1;
    if (samples > limit)
        return limit + 1;
    return static_cast<int32_t>(samples);
}
