#pragma once

#include <cstdint>

#include "synth/lanes/InstructionSet.h"
#include "synth/lanes/LaneRenderer.h"
#include "synth/voice/NoteFrequencyTable.h"
#include "synth/voice/StrikeVoice.h"

// The synthesis engine as the instrument sees it: 32 voices in numbered
// slots, each with the note it last took, an in-use flag and a stereo
// position set by that note. Nothing here allocates after construction.
class VoicePool {
public:
    static constexpr int32_t kSlotCount = 32;

    // The instruction set is chosen here, from ZAV_ENGINE or the processor.
    VoicePool();
    ~VoicePool() = default;
    VoicePool(const VoicePool&) = delete;
    VoicePool& operator=(const VoicePool&) = delete;

    // A rate that differs from the current one stops every voice.
    void setSampleRate(float hz);
    // Every voice takes every index, active or not, so a voice taken later
    // already carries the current settings.
    void setParameter(int32_t index, float value);
    // Returns the slot when a free one was taken, kSlotCount when an active
    // slot was struck again (same note) or stolen (lowest note), and also when
    // nothing was struck: velocity 0 (a note-off) only reaches a note that
    // sounds. A taken or stolen slot starts from silence.
    int32_t noteOn(int32_t note, int32_t velocity);
    // Voices stop at once and keep their resonator states.
    void allNotesOff();
    // Adds count samples of the slot into both buffers; a voice that
    // finishes contributes up to and including the sample it finished on.
    void renderSlot(int32_t slot, float* left, float* right, int32_t count);
    // Every active slot for count samples, each sample summing the voices in
    // slot order; the same samples whichever instruction set runs them.
    void render(float* left, float* right, int32_t count);
    // For tests and benchmarks; a set the processor lacks gives the best
    // available one. Returns the set now in use.
    InstructionSet useInstructionSet(InstructionSet wanted);
    InstructionSet instructionSet() const { return setInUse; }

    const StrikeVoice& voice(int32_t slot) const { return voices[slot]; }
    bool isActive(int32_t slot) const { return active[slot]; }
    int32_t getSlotNote(int32_t slot) const { return slotNote[slot]; }
    float getSlotPan(int32_t slot) const { return slotPan[slot]; }

private:
    int32_t activeSlotWithNote(int32_t note) const;
    int32_t freeSlot() const;
    int32_t lowestNoteSlot() const;
    void strikeSlot(int32_t slot, int32_t note, int32_t velocity);
    double leftGainOf(int32_t slot) const;
    double rightGainOf(int32_t slot) const;

    StrikeVoice voices[kSlotCount];
    bool active[kSlotCount] = {};
    int32_t slotNote[kSlotCount] = {};
    float slotPan[kSlotCount] = {};
    // 1 - "Stereo Spread": the share of each voice sent to both sides alike.
    float monoShare = 0.0f;
    NoteFrequencyTable noteFrequencies;
    InstructionSet setInUse = InstructionSet::Scalar;
    LaneRenderer lanes{sse2LaneKernels()};
    double leftGains[kSlotCount] = {};
    double rightGains[kSlotCount] = {};
};
