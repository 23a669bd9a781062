#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "synth/voice/VoiceState.h"

// Once a voice's strike is over its modes die away into the range where the
// resonators flush their states to a grid (below 2^-89), and there each mode
// settles into a cycle: the flushed states come back to the same bits after
// a few samples and then repeat forever, so the mode puts out the same few
// tiny samples over and over until the voice is struck again or ends.
//
// A record holds one period of each mode's cycle, found by running the
// resonator's own arithmetic from the voice's state. While the voice still
// has the settings the record was made with and its states are the ones the
// record expects, the modes' samples are read from it instead of computed:
// from equal states and settings the arithmetic can only repeat itself, so
// the samples and states are those the voice would compute, bit for bit.
class ModeCycles {
public:
    static constexpr int32_t kModes = VoiceState::kModeCount;
    static constexpr int32_t kLongestPeriod = 256;
    // The most samples one call of writeSums gives.
    static constexpr int32_t kLongestRead = 512;

    // Below this the resonators' flush changes a state (2^-89).
    static constexpr float kFlushedRange = 1.61558713e-27f;

    // Past the pulse's end (or NaN) with a forward (or NaN) step, the phase
    // never comes back into the pulse until the next strike sets it.
    static bool pulseOverForGood(const VoiceState& voice)
    {
        return !(voice.pulsePhase < 256.0f) && !(voice.pulseIncrement < 0.0f);
    }
    // The largest magnitude among the modes' states; NaN when one is NaN.
    static float loudestState(const VoiceState& voice);
    // True when the voice can only go on as its modes' cycles: its pulse is
    // over for good and every state lies in the flushed range (or is 0).
    static bool mayBeCycling(const VoiceState& voice)
    {
        return pulseOverForGood(voice) && loudestState(voice) < kFlushedRange;
    }

    // Looks for each mode's cycle from the voice's state; true when all
    // four came back within kLongestPeriod samples and are now recorded.
    bool record(const VoiceState& voice);
    // True when the record describes where the voice is now.
    bool follows(const VoiceState& voice) const;
    // The sum of the modes' samples, as the voice adds them, for the next
    // `count` (at most kLongestRead) samples.
    void writeSums(float* to, int32_t count) const;
    // Moves the record on by `samples` and gives the voice the modes'
    // states and last outputs there.
    void advance(VoiceState& voice, int32_t samples);
    void forget() { recorded = false; }

private:
    bool stepMode(int32_t mode, int32_t n, ModeState& running, const ModeState& start);

    bool recorded = false;
    float drive = 0.0f;
    ModeState settings[kModes] = {};
    int32_t period[kModes] = {};
    int32_t position[kModes] = {};
    // state0 at each position of the cycle; state1 is its flushed predecessor.
    float state0[kModes][kLongestPeriod] = {};
    // The output of the sample taken from each position, written on past the
    // period so that any kLongestRead samples from a position lie in a row.
    float outputs[kModes][kLongestPeriod + kLongestRead] = {};
};

inline float ModeCycles::loudestState(const VoiceState& voice)
{
    // Magnitudes compare as their bits do, NaNs above infinity.
    uint32_t loudest = 0;
    for (const ModeState& mode : voice.modes) {
        for (const float state : {mode.state0, mode.state1}) {
            uint32_t bits = 0;
            std::memcpy(&bits, &state, sizeof bits);
            bits &= 0x7fffffffu;
            loudest = bits > loudest ? bits : loudest;
        }
    }
    float magnitude = 0.0f;
    std::memcpy(&magnitude, &loudest, sizeof magnitude);
    return magnitude;
}
