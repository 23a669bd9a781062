#pragma once

#include "synth/voice/WaveTables.h"

// Sine oscillator for the voice's amplitude vibrato. Its phase counts sine
// table entries and runs on across rate and sample-rate changes.
class VibratoOscillator {
public:
    VibratoOscillator() = default;
    VibratoOscillator(const VibratoOscillator&) = delete;
    VibratoOscillator& operator=(const VibratoOscillator&) = delete;

    // The increment keeps its value until the next setRate.
    void setSampleRate(float hz);
    void setRate(float hz);
    float tick();

    float getPhase() const { return phase; }
    float getIncrement() const { return increment; }
    // Null only when the sine table could not be made.
    const float* tableEntries() const { return table.entries(); }
    void setPhase(float value) { phase = value; }

private:
    void recoverPhase();

    SineTable table;
    float phase = 0.0f;
    float increment = 0.0f;
    float sampleRate = 44100.0f;
};

inline float VibratoOscillator::tick()
{
    constexpr float kPeriod = static_cast<float>(SineTable::kPeriod);
    phase = static_cast<float>(static_cast<double>(phase) + increment);
    if (phase >= kPeriod)
        phase = static_cast<float>(static_cast<double>(phase) - kPeriod);
    // Compared before any truncation: a phase out of range here would make
    // the conversion to an index undefined.
    if (!(phase >= 0.0f && phase < kPeriod))
        recoverPhase();
    const float* entries = table.entries();
    return entries != nullptr ? static_cast<float>(readTable(entries, phase)) : 0.0f;
}
