#pragma once

#include <cstdint>

#include "synth/voice/ModeResonator.h"
#include "synth/voice/VoiceState.h"
#include "synth/voice/VibratoOscillator.h"
#include "synth/voice/WaveTables.h"

// Normalised parameter values are taken as 0..1: anything outside is held at
// the nearer end and NaN counts as 0, so no host value can make a mode grow
// without bound or a gain infinite.
inline float toUnitRange(float value)
{
    if (!(value > 0.0f))
        return 0.0f;
    return value < 1.0f ? value : 1.0f;
}

// One sounding note: a raised-cosine strike pulse drives four tuned mode
// resonators whose summed output is optionally amplitude-modulated by the
// vibrato and scaled by the output gain. The sound dies away by the modes'
// own damping; two seconds after its last strike the voice calls itself
// finished so that its slot can be reused.
class StrikeVoice {
public:
    static constexpr int32_t kModeCount = 4;

    StrikeVoice();
    virtual ~StrikeVoice() = default;
    StrikeVoice(const StrikeVoice&) = delete;
    StrikeVoice& operator=(const StrikeVoice&) = delete;

    // A frequency that is not a finite number strikes at the previous one.
    void strike(float frequency, float amplitude, int32_t note);
    // The four modes fall silent at once; tuning, pulse and vibrato stay.
    void silence();
    float tick();
    void setParameter(int32_t index, float value);
    // Rates that are not finite or below 1 Hz are ignored.
    void setSampleRate(float hz);
    bool isFinished() const { return finished; }

    const ModeResonator& getResonator(int32_t mode) const { return resonators[mode]; }
    const VibratoOscillator& getVibrato() const { return vibrato; }
    float getRatio(int32_t mode) const { return ratio[mode]; }
    float getRadius(int32_t mode) const { return radius[mode]; }
    float getBaseFrequency() const { return baseFrequency; }
    float getSampleRate() const { return sampleRate; }
    float getOutputGain() const { return outputGain; }
    float getPulsePhase() const { return pulsePhase; }
    float getPulseIncrement() const { return pulseIncrement; }
    float getVibratoDepth() const { return vibratoDepth; }

    // For running the voice elsewhere (the lane engine) and taking back what
    // changed while it ran: the phases, the modes' states, age and finishing.
    VoiceState snapshot() const;
    void resume(const VoiceState& running);

private:
    void setRatio(int32_t mode, float value);
    void setResonance(int32_t mode, float value);
    void setStrikeGain(float value);
    void setVibratoSpeed(float value);
    void setVibratoGain(float value);
    void switchVibrato(float value);
    void foldRatio(int32_t mode, float frequency);
    void tuneMode(int32_t mode, float modeRatio);
    float pulseIncrementFor(double softness) const;
    bool pulseUnderWay() const;
    double nextExcitation();

    bool finished = true;
    ModeResonator resonators[kModeCount];
    float vibratoDepth = 0.0f;
    float strikeSoftness = 0.5f;
    float baseFrequency = 440.0f;
    float ratio[kModeCount] = {};
    float radius[kModeCount] = {};
    float sampleRate = 44100.0f;
    float nyquist = 22050.0f;
    float pulsePhase = 0.0f;
    float pulseIncrement = 0.5f;
    VibratoOscillator vibrato;
    float amplitude = 0.0f;
    float age = 0.0f;
    float storedVibratoDepth = 0.0f;
    // "Vibr On/Off" at 0.5 or more: the depth is the stored "Vibr Gain".
    bool vibratoSwitchedOn = false;
    float noteTracking = 0.0f;
    float outputGain = 0.01f;
    // Hz, as "Vibr Speed" last set it; a new sample rate keeps it.
    float vibratoRate = 6.0f;
    StrikePulseTable pulseTable;
};

inline double StrikeVoice::nextExcitation()
{
    constexpr float kPulseEnd = 256.0f;
    pulsePhase = static_cast<float>(static_cast<double>(pulsePhase) + pulseIncrement);
    const float* entries = pulseTable.entries();
    // Checked before truncating: a huge, negative or NaN phase must not
    // become an index.
    if (entries == nullptr || !(pulsePhase >= 0.0f && pulsePhase < kPulseEnd))
        return 0.0;
    return readTable(entries, pulsePhase);
}

inline float StrikeVoice::tick()
{
    const float x = static_cast<float>(nextExcitation() * amplitude);
    const float y0 = resonators[0].tick(x);
    const float y1 = resonators[1].tick(x);
    const float y2 = resonators[2].tick(x);
    const float y3 = resonators[3].tick(x);
    float sum = static_cast<float>(static_cast<double>(y0) + y1);
    sum = static_cast<float>(static_cast<double>(sum) + y2);
    sum = static_cast<float>(static_cast<double>(sum) + y3);
    const float depth = vibratoDepth;
    if (depth != 0.0f)
        sum = static_cast<float>((static_cast<double>(vibrato.tick()) * depth + 1.0) * sum);
    age = static_cast<float>(static_cast<double>(age) + 1.0);
    if (age > 2.0 * sampleRate)
        finished = true;
    return static_cast<float>(static_cast<double>(sum) * outputGain);
}
