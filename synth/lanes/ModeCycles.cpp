#include "synth/lanes/ModeCycles.h"

#include <cstring>
#include <xmmintrin.h>

namespace {

uint32_t bitsOf(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool sameBits(float a, float b)
{
    return bitsOf(a) == bitsOf(b);
}

// The arithmetic of ModeResonator::tick, on a mode's record.
float flushTiny(float value)
{
    constexpr float kFlushOffset = 1e-18f;
    return static_cast<float>((static_cast<double>(value) + kFlushOffset) - kFlushOffset);
}

float tickMode(ModeState& mode, float x)
{
    mode.state1 = flushTiny(mode.state1);
    mode.state0 = flushTiny(mode.state0);
    const double w = static_cast<double>(x) * mode.gain + static_cast<double>(mode.feedback1) * mode.state0
        + static_cast<double>(mode.feedback2) * mode.state1;
    mode.output = static_cast<float>(w + static_cast<double>(mode.feedforward1) * mode.state0
        + static_cast<double>(mode.feedforward2) * mode.state1);
    mode.state1 = mode.state0;
    mode.state0 = static_cast<float>(w);
    return mode.output;
}

// The drive of a voice whose pulse is not read: StrikeVoice::tick's
// float(0.0 * amplitude).
float quietDrive(const VoiceState& voice)
{
    return static_cast<float>(0.0 * voice.amplitude);
}

bool sameSettings(const ModeState& a, const ModeState& b)
{
    return sameBits(a.gain, b.gain) && sameBits(a.feedback1, b.feedback1) && sameBits(a.feedback2, b.feedback2)
        && sameBits(a.feedforward1, b.feedforward1) && sameBits(a.feedforward2, b.feedforward2);
}

}  // namespace

bool ModeCycles::record(const VoiceState& voice)
{
    recorded = false;
    if (!pulseOverForGood(voice))
        return false;
    drive = quietDrive(voice);
    ModeState running[kModes];
    for (int32_t mode = 0; mode < kModes; ++mode) {
        running[mode] = voice.modes[mode];
        period[mode] = 0;
    }
    // The modes side by side: each one's recursion is a chain of dependent
    // steps, and four chains take hardly longer than one.
    int32_t searching = kModes;
    for (int32_t n = 0; n < kLongestPeriod && searching > 0; ++n) {
        for (int32_t mode = 0; mode < kModes; ++mode) {
            if (period[mode] == 0 && stepMode(mode, n, running[mode], voice.modes[mode]))
                --searching;
        }
    }
    if (searching > 0)
        return false;
    for (int32_t mode = 0; mode < kModes; ++mode) {
        for (int32_t m = period[mode]; m < kLongestPeriod + kLongestRead; ++m)
            outputs[mode][m] = outputs[mode][m - period[mode]];
        settings[mode] = voice.modes[mode];
        position[mode] = 0;
    }
    recorded = true;
    return true;
}

// Records step n of a mode's run from `start`; true when it came back there.
bool ModeCycles::stepMode(int32_t mode, int32_t n, ModeState& running, const ModeState& start)
{
    state0[mode][n] = running.state0;
    outputs[mode][n] = tickMode(running, drive);
    if (!sameBits(running.state0, start.state0) || !sameBits(running.state1, start.state1))
        return false;
    period[mode] = n + 1;
    return true;
}

bool ModeCycles::follows(const VoiceState& voice) const
{
    if (!recorded || !pulseOverForGood(voice) || !sameBits(quietDrive(voice), drive))
        return false;
    for (int32_t mode = 0; mode < kModes; ++mode) {
        const ModeState& now = voice.modes[mode];
        const int32_t at = position[mode];
        const int32_t before = at > 0 ? at - 1 : period[mode] - 1;
        if (!sameSettings(now, settings[mode]) || !sameBits(now.state0, state0[mode][at])
            || !sameBits(now.state1, flushTiny(state0[mode][before])))
            return false;
    }
    return true;
}

void ModeCycles::writeSums(float* to, int32_t count) const
{
    const float* y0 = outputs[0] + position[0];
    const float* y1 = outputs[1] + position[1];
    const float* y2 = outputs[2] + position[2];
    const float* y3 = outputs[3] + position[3];
    // Sums of floats rounded to float, as the voice adds its modes.
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128 sum = _mm_add_ps(_mm_add_ps(_mm_loadu_ps(y0 + i), _mm_loadu_ps(y1 + i)), _mm_loadu_ps(y2 + i));
        _mm_storeu_ps(to + i, _mm_add_ps(sum, _mm_loadu_ps(y3 + i)));
    }
    for (; i < count; ++i)
        to[i] = ((y0[i] + y1[i]) + y2[i]) + y3[i];
}

void ModeCycles::advance(VoiceState& voice, int32_t samples)
{
    if (samples <= 0)
        return;
    for (int32_t mode = 0; mode < kModes; ++mode) {
        const int32_t at = (position[mode] + samples) % period[mode];
        const int32_t before = at > 0 ? at - 1 : period[mode] - 1;
        position[mode] = at;
        ModeState& state = voice.modes[mode];
        state.state0 = state0[mode][at];
        state.state1 = flushTiny(state0[mode][before]);
        state.output = outputs[mode][before];
    }
}
