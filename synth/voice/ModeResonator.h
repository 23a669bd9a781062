#pragma once

#include "synth/voice/VoiceState.h"

// Two-pole resonator for one vibration mode of a struck body. With the zeros
// set it is gain * (1 - z^-2) / (1 - feedback1 z^-1 - feedback2 z^-2): it rings
// at the tuned frequency and its amplitude falls by the pole radius per sample.
class ModeResonator {
public:
    ModeResonator();

    void reset();
    // Silence: the two state values and the last output become 0; the tuning stays.
    void clearState();
    void setSampleRate(float hz);
    // Any frequency is taken, also above half the rate or negative; a tuning
    // whose coefficients would not be finite numbers is ignored.
    void tune(float frequency, float radius);
    void setZeros();
    void setGain(float g);
    float tick(float x);

    float getFeedback1() const { return feedback1; }
    float getFeedback2() const { return feedback2; }
    float getGain() const { return gain; }
    float getOutput() const { return output; }

    ModeState snapshot() const;
    // Takes back the running state (the two states and the last output).
    void resume(const ModeState& running);

private:
    static float flushTiny(float value);

    float feedback1 = 0.0f;
    float feedback2 = 0.0f;
    float feedforward1 = 0.0f;
    float feedforward2 = 0.0f;
    float gain = 1.0f;
    float state[2] = {0.0f, 0.0f};
    float output = 0.0f;
    float sampleRate = 44100.0f;
};

inline float ModeResonator::flushTiny(float value)
{
    // A value that does not survive being added to 1e-18 becomes exactly 0,
    // so denormals never reach the recursion while a voice dies away.
    constexpr float kFlushOffset = 1e-18f;
    return static_cast<float>((static_cast<double>(value) + kFlushOffset) - kFlushOffset);
}

inline float ModeResonator::tick(float x)
{
    state[1] = flushTiny(state[1]);
    state[0] = flushTiny(state[0]);
    const double w = static_cast<double>(x) * gain + static_cast<double>(feedback1) * state[0]
        + static_cast<double>(feedback2) * state[1];
    output = static_cast<float>(w + static_cast<double>(feedforward1) * state[0]
        + static_cast<double>(feedforward2) * state[1]);
    state[1] = state[0];
    state[0] = static_cast<float>(w);
    return output;
}
