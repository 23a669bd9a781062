#pragma once

#include <cstdint>
#include <memory>

#include "synth/lanes/LaneKernels.h"
#include "synth/lanes/ModeCycles.h"
#include "synth/lanes/VoiceLanes.h"

class StrikeVoice;

// Renders the pool's active voices side by side in vector lanes, each into a
// buffer of its own, then mixes the buffers in slot order: the samples and
// the slots' in-use flags come out as the scalar pool leaves them. Voices
// whose modes ring on in the cycles of their flushed states (ModeCycles) run
// in lanes of their own, where the modes' samples are read, not computed.
class LaneRenderer {
public:
    static constexpr int32_t kSlotCount = VoiceLanes::kCapacity;
    static constexpr int32_t kSpan = 512;
    static constexpr int32_t kWidestGroup = 8;

    struct Slots {
        StrikeVoice* voices;
        bool* active;
        const double* leftGain;
        const double* rightGain;
    };

    explicit LaneRenderer(const LaneKernels& laneKernels);
    LaneRenderer(const LaneRenderer&) = delete;
    LaneRenderer& operator=(const LaneRenderer&) = delete;

    // Groups wider than the kernels' own and the mix go to `wider` where
    // there is one.
    void useKernels(const LaneKernels& laneKernels, const WideLaneKernels* wider)
    {
        kernels = &laneKernels;
        widerKernels = wider;
    }
    void render(const Slots& slots, float* left, float* right, int32_t count);

private:
    struct LaneSet {
        explicit LaneSet(bool readsCycles) : replaying(readsCycles) {}
        // Modes read from their cycles rather than computed.
        const bool replaying;
        VoiceLanes lanes;
        int32_t count = 0;
        int32_t slot[kSlotCount] = {};
        // Samples until the lane's voice finishes, counting the one it
        // finishes on; beyond the span when it does not finish in it.
        int32_t run[kSlotCount] = {};
    };

    void renderSpan(const Slots& slots, float* left, float* right, int32_t count);
    void loadLanes(const Slots& slots, int32_t count);
    bool followsCycles(int32_t slot);
    void renderAlone(const Slots& slots, int32_t slot, int32_t count);
    void runLanes(const Slots& slots, int32_t count);
    int32_t samplesToNextFinish(int32_t position, int32_t count) const;
    void advanceGroups(LaneSet& set, int32_t position, int32_t samples);
    void retireLane(const Slots& slots, LaneSet& set, int32_t lane, int32_t position, int32_t count);
    void idleThePadding(LaneSet& set);
    const GroupKernel& groupFor(int32_t lanesLeft) const;

    const LaneKernels* kernels;
    const WideLaneKernels* widerKernels = nullptr;
    LaneSet computed{false};
    LaneSet replayed{true};
    // One per slot; null when they could not be allocated.
    std::unique_ptr<ModeCycles[]> cycles;
    // Spans to wait after a search for a slot's cycles found none.
    int32_t spansUntilSearch[kSlotCount] = {};
    // The largest of the modes' states when the last span began.
    float loudestBefore[kSlotCount] = {};
    int32_t produced[kSlotCount] = {};
    // The voices as the lanes took them, and give them back.
    VoiceState voiceStates[kSlotCount] = {};
    float voiceOutput[kSlotCount][kSpan] = {};
    float padding[kSpan] = {};
};
