// Parameter values and the sample rate on their way from whichever thread sets
// them to the audio thread. Writers store at once, so every reader sees the
// new value immediately; the audio thread takes what changed at the start of
// its next processing call, each setting once, in the order of its last
// change. Nothing here locks or allocates.
#pragma once

#include <atomic>
#include <cstdint>

#include "synth/ParameterIndex.h"

class SettingsHandOver {
public:
    // The parameters and, after them, the sample rate.
    static constexpr int32_t kSampleRateSlot = kParameterCount;
    static constexpr int32_t kSlotCount = kSampleRateSlot + 1;

    SettingsHandOver();
    SettingsHandOver(const SettingsHandOver&) = delete;
    SettingsHandOver& operator=(const SettingsHandOver&) = delete;

    // Any thread. The slot must be 0..kSlotCount-1.
    void write(int32_t slot, float value);
    float latest(int32_t slot) const;

    // Any thread: the writes between the two are taken as a whole, never half
    // of them in one processing call and the rest in the next.
    void beginGroup();
    void endGroup();

    // Audio thread only. Calls apply(slot, value) for every slot written since
    // the last call, oldest change first; while a group is being written it
    // takes nothing and leaves everything for the next call.
    template <typename Apply>
    void takeChanges(Apply&& apply);

private:
    struct Change {
        int32_t slot;
        uint32_t stamp;
        float value;
    };
    // True when a consistent set of changes was collected into changes/count.
    bool collect(Change* changes, int32_t& count);

    // Each slot holds its value's bits in the low half and the stamp of its
    // last write in the high half, so the two never tear apart.
    std::atomic<uint64_t> slots[kSlotCount];
    std::atomic<uint32_t> nextStamp{0};
    std::atomic<uint32_t> groupsBeingWritten{0};
    std::atomic<uint32_t> groupsWritten{0};
    // Audio thread only: the stamp of what was last taken from each slot.
    uint32_t takenStamps[kSlotCount] = {};
};

template <typename Apply>
void SettingsHandOver::takeChanges(Apply&& apply) {
    Change changes[kSlotCount];
    int32_t count = 0;
    if (!collect(changes, count)) return;
    for (int32_t i = 0; i < count; ++i) {
        takenStamps[changes[i].slot] = changes[i].stamp;
        apply(changes[i].slot, changes[i].value);
    }
}
