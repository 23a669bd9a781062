#pragma once

#include <cstdint>

#include "synth/voice/VoiceState.h"

// The voices the vector engine advances together, one lane per voice, in
// structure-of-arrays form. Every value is a float held exactly in a double,
// so a lane computes in double and rounds to float where the voice does.
class VoiceLanes {
public:
    static constexpr int32_t kCapacity = 32;
    static constexpr int32_t kModes = 4;
    // The second feed-forward coefficient of every voice the lanes take.
    static constexpr double kFeedforward2 = -1.0;

    // Makes the process-wide sine slopes from the voices' sine table, once.
    // Every pool does this when it is made, before it renders.
    static void prepareTables(const float* sineTable);

    // Starts a new set of lanes: no table is chosen yet.
    void begin();
    // Copies a voice into the lane. False when the lane could not follow it
    // bit for bit (a missing table, an age no longer counted exactly, other
    // zeros than every resonator is made with, settings or states far out of
    // any range a voice reaches); the voice is then run on its own.
    bool load(int32_t lane, const VoiceState& voice);
    // Writes the lane's running state back after it ran `samples` samples;
    // `finished` when the last of them was the one the voice finished on.
    void store(int32_t lane, VoiceState& voice, int32_t samples, bool finished) const;
    void move(int32_t from, int32_t to);
    // A lane that fills a group up: silent, no pulse; its vibrato runs as
    // lane `like`'s does, so that a group whose voices all have it on (or
    // all off) runs the kernel for that.
    void makeIdle(int32_t lane, int32_t like);
    // Samples the lane runs before its voice finishes, counting the one it
    // finishes on; more than `limit` is reported as limit + 1.
    int32_t samplesToFinish(int32_t lane, int32_t limit) const;

    const float* pulseTable = nullptr;
    const float* sineTable = nullptr;
    // Sine entry i as (t[i+1], t[i+1] - t[i]) in double: the two values the
    // table read computes first, so the vector code reads them in one go.
    const double (*sineSlopes)[2] = nullptr;

    double pulsePhase[kCapacity];
    double pulseIncrement[kCapacity];
    double amplitude[kCapacity];
    double gain[kModes][kCapacity];
    double feedback1[kModes][kCapacity];
    double feedback2[kModes][kCapacity];
    double feedforward1[kModes][kCapacity];
    double feedforward2[kModes][kCapacity];
    double state0[kModes][kCapacity];
    double state1[kModes][kCapacity];
    double output[kModes][kCapacity];
    double vibratoPhase[kCapacity];
    double vibratoIncrement[kCapacity];
    double vibratoDepth[kCapacity];
    double outputGain[kCapacity];

private:
    double age[kCapacity];
    double finishLimit[kCapacity];
};
