#include "synth/voice/StrikeVoice.h"

#include <cfloat>
#include <cmath>

#include "synth/ParameterIndex.h"

namespace {

constexpr float kDefaultRatios[StrikeVoice::kModeCount] = {1.0f, 3.99f, 10.65f, -2443.0f};
constexpr float kDefaultRadii[StrikeVoice::kModeCount] = {0.9996f, 0.9994f, 0.9994f, 0.999f};
constexpr float kDefaultGains[StrikeVoice::kModeCount] = {0.04f, 0.01f, 0.01f, 0.008f};
constexpr float kDefaultSampleRate = 44100.0f;

// The step of the shortest pulse: the hardest strike at 44.1 kHz, which
// reads one sample of the pulse. At lower rates a shorter pulse would step
// past the table's end before its first read and strike nothing; at 44.1 kHz
// and above no step reaches this one.
constexpr double kShortestPulseSeconds = 0.00003;
constexpr float kLongestPulseStep = static_cast<float>(255.0 / (kShortestPulseSeconds * 44100.0f));

// Halving any finite float this often reaches 0, so folding always ends.
constexpr int32_t kMostHalvings = 300;

bool inGroup(int32_t index, int32_t first)
{
    return index >= first && index < first + StrikeVoice::kModeCount;
}

}  // namespace

StrikeVoice::StrikeVoice()
{
    for (ModeResonator& resonator : resonators)
        resonator.reset();
    vibrato.setSampleRate(kDefaultSampleRate);
    vibrato.setRate(vibratoRate);
    for (ModeResonator& resonator : resonators)
        resonator.setSampleRate(kDefaultSampleRate);
    for (int32_t mode = 0; mode < kModeCount; ++mode) {
        ratio[mode] = kDefaultRatios[mode];
        radius[mode] = kDefaultRadii[mode];
        tuneMode(mode, ratio[mode]);
    }
    for (int32_t mode = 0; mode < kModeCount; ++mode) {
        resonators[mode].setGain(kDefaultGains[mode]);
        resonators[mode].setZeros();
    }
}

void StrikeVoice::strike(float frequency, float amp, int32_t note)
{
    if (!std::isfinite(frequency))
        frequency = baseFrequency;
    baseFrequency = frequency;
    for (int32_t mode = 0; mode < kModeCount; ++mode)
        foldRatio(mode, frequency);
    for (int32_t mode = 0; mode < kModeCount; ++mode)
        tuneMode(mode, ratio[mode]);
    finished = false;
    age = 0.0f;
    // A note-off strikes silently. Restarting the pulse then would throw away
    // a strike whose pulse has not been played out yet, so a note released in
    // the same block as its note-on would never sound.
    if (amp == 0.0f && pulseUnderWay())
        return;
    amplitude = amp;
    pulsePhase = 0.0f;
    // Hardness blends the strike gain with the note number: higher notes
    // get shorter, brighter pulses.
    const double hardness = (1.0 - strikeSoftness) * (1.0 - noteTracking)
        + (note / 128.0) * noteTracking;
    pulseIncrement = pulseIncrementFor(1.0 - hardness);
}

VoiceState StrikeVoice::snapshot() const
{
    VoiceState state{};
    for (int32_t mode = 0; mode < kModeCount; ++mode)
        state.modes[mode] = resonators[mode].snapshot();
    state.pulsePhase = pulsePhase;
    state.pulseIncrement = pulseIncrement;
    state.amplitude = amplitude;
    state.vibratoPhase = vibrato.getPhase();
    state.vibratoIncrement = vibrato.getIncrement();
    state.vibratoDepth = vibratoDepth;
    state.outputGain = outputGain;
    state.age = age;
    state.sampleRate = sampleRate;
    state.finished = finished;
    state.pulseTable = pulseTable.entries();
    state.sineTable = vibrato.tableEntries();
    return state;
}

void StrikeVoice::resume(const VoiceState& running)
{
    for (int32_t mode = 0; mode < kModeCount; ++mode)
        resonators[mode].resume(running.modes[mode]);
    pulsePhase = running.pulsePhase;
    vibrato.setPhase(running.vibratoPhase);
    age = running.age;
    finished = running.finished;
}

void StrikeVoice::silence()
{
    for (ModeResonator& resonator : resonators)
        resonator.clearState();
}

bool StrikeVoice::pulseUnderWay() const
{
    return amplitude != 0.0f && pulsePhase >= 0.0f
        && static_cast<double>(pulsePhase) + pulseIncrement < 256.0;
}

void StrikeVoice::setSampleRate(float hz)
{
    if (!(hz >= 1.0f && hz <= FLT_MAX))
        return;
    sampleRate = hz;
    vibrato.setSampleRate(hz);
    vibrato.setRate(vibratoRate);
    for (ModeResonator& resonator : resonators)
        resonator.setSampleRate(hz);
    nyquist = static_cast<float>(static_cast<double>(hz) * 0.5);
}

void StrikeVoice::setParameter(int32_t index, float value)
{
    const float v = toUnitRange(value);
    if (inGroup(index, kFirstRatio))
        return setRatio(index - kFirstRatio, v);
    if (inGroup(index, kFirstResonance))
        return setResonance(index - kFirstResonance, v);
    if (inGroup(index, kFirstModalGain))
        return resonators[index - kFirstModalGain].setGain(static_cast<float>(v * 0.56 + 0.004));
    switch (index) {
    case kStickHardness:
        noteTracking = v;
        break;
    case kStrikePosition:
        outputGain = static_cast<float>(static_cast<double>(v) * 0.04f);
        break;
    case kStrikeGain:
        setStrikeGain(v);
        break;
    case kVibratoGain:
        setVibratoGain(v);
        break;
    case kVibratoSpeed:
        setVibratoSpeed(v);
        break;
    case kVibratoSwitch:
        switchVibrato(v);
        break;
    case kStereoSpread:
    default:
        break;
    }
}

void StrikeVoice::setRatio(int32_t mode, float value)
{
    ratio[mode] = static_cast<float>(static_cast<double>(value) * 8.0f + 1.0f);
    const float unfolded = ratio[mode];
    foldRatio(mode, baseFrequency);
    tuneMode(mode, unfolded);
}

void StrikeVoice::setResonance(int32_t mode, float value)
{
    radius[mode] = static_cast<float>(0.995 + static_cast<double>(0.0049f) * (static_cast<double>(value) * value));
    const float beforeFold = ratio[mode];
    foldRatio(mode, baseFrequency);
    tuneMode(mode, beforeFold);
}

void StrikeVoice::setStrikeGain(float value)
{
    strikeSoftness = static_cast<float>(1.0 - value);
    pulseIncrement = pulseIncrementFor(strikeSoftness);
}

void StrikeVoice::setVibratoSpeed(float value)
{
    vibratoRate = static_cast<float>(static_cast<double>(value) * 40.0f);
    vibrato.setRate(vibratoRate);
}

// The gain never switches the vibrato on by itself: whatever order the two
// arrive in, the depth is the gain while the switch is on and 0 otherwise.
void StrikeVoice::setVibratoGain(float value)
{
    storedVibratoDepth = value;
    vibratoDepth = vibratoSwitchedOn ? storedVibratoDepth : 0.0f;
}

void StrikeVoice::switchVibrato(float value)
{
    vibratoSwitchedOn = value >= 0.5f;
    vibratoDepth = vibratoSwitchedOn ? storedVibratoDepth : 0.0f;
}

void StrikeVoice::foldRatio(int32_t mode, float frequency)
{
    // Halved ratios stay halved until their "Ratios" parameter is set again.
    if (static_cast<double>(ratio[mode]) * frequency < nyquist)
        return;
    for (int32_t halvings = 0;
         halvings < kMostHalvings && static_cast<double>(ratio[mode]) * frequency > nyquist; ++halvings)
        ratio[mode] = static_cast<float>(static_cast<double>(ratio[mode]) * 0.5);
}

void StrikeVoice::tuneMode(int32_t mode, float modeRatio)
{
    // A negative ratio stands for a fixed frequency of its magnitude in Hz.
    const float frequency = modeRatio < 0.0f
        ? -modeRatio
        : static_cast<float>(static_cast<double>(modeRatio) * baseFrequency);
    resonators[mode].tune(frequency, radius[mode]);
}

float StrikeVoice::pulseIncrementFor(double softness) const
{
    // Pulse length in seconds: 0.03 ms for the hardest strike up to 2.53 ms.
    const double seconds = softness * 0.0025 + kShortestPulseSeconds;
    const auto step = static_cast<float>(255.0 / (seconds * sampleRate));
    return step < kLongestPulseStep ? step : kLongestPulseStep;
}
