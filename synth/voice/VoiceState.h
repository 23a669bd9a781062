#pragma once

#include <cstdint>

// One mode's resonator: its settings and its running state.
struct ModeState {
    float gain;
    float feedback1;
    float feedback2;
    float feedforward1;
    float feedforward2;
    float state0;
    float state1;
    float output;
};

// Everything a voice's per-sample arithmetic reads and writes, as plain
// values: what the lane engine copies into its lanes and, once they ran,
// back into the voice. The voice stays the owner of it between render calls.
struct VoiceState {
    static constexpr int32_t kModeCount = 4;

    ModeState modes[kModeCount];
    float pulsePhase;
    float pulseIncrement;
    float amplitude;
    float vibratoPhase;
    float vibratoIncrement;
    float vibratoDepth;
    float outputGain;
    // Samples since the last strike; the voice finishes past 2 * sampleRate.
    float age;
    float sampleRate;
    bool finished;
    // Null when the table could not be made.
    const float* pulseTable;
    const float* sineTable;
};
