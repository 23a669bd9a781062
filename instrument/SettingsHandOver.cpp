#include "instrument/SettingsHandOver.h"

#include <bit>

static_assert(std::atomic<uint64_t>::is_always_lock_free, "the hand-over must never lock");
static_assert(std::atomic<uint32_t>::is_always_lock_free, "the hand-over must never lock");

namespace {

uint64_t pack(uint32_t stamp, float value) {
    return (static_cast<uint64_t>(stamp) << 32) | std::bit_cast<uint32_t>(value);
}

uint32_t stampOf(uint64_t packed) { return static_cast<uint32_t>(packed >> 32); }

float valueOf(uint64_t packed) { return std::bit_cast<float>(static_cast<uint32_t>(packed)); }

// Stamps wrap round after 2^32 writes; compared by difference they stay in
// order as long as the changes taken together are fewer than 2^31 apart.
bool olderThan(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) < 0; }

}  // namespace

SettingsHandOver::SettingsHandOver() {
    for (std::atomic<uint64_t>& slot : slots) slot.store(0);
}

void SettingsHandOver::write(int32_t slot, float value) {
    // Stamp 0 is what an unwritten slot carries, so counting starts at 1.
    const uint32_t stamp = nextStamp.fetch_add(1) + 1;
    slots[slot].store(pack(stamp, value));
}

float SettingsHandOver::latest(int32_t slot) const { return valueOf(slots[slot].load()); }

void SettingsHandOver::beginGroup() { groupsBeingWritten.fetch_add(1); }

void SettingsHandOver::endGroup() {
    groupsWritten.fetch_add(1);
    groupsBeingWritten.fetch_sub(1);
}

bool SettingsHandOver::collect(Change* changes, int32_t& count) {
    const uint32_t groupsBefore = groupsWritten.load();
    if (groupsBeingWritten.load() != 0) return false;
    count = 0;
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        const uint64_t packed = slots[slot].load();
        if (stampOf(packed) == takenStamps[slot]) continue;
        // Insertion by stamp: at most 20 entries.
        int32_t at = count++;
        for (; at > 0 && olderThan(stampOf(packed), changes[at - 1].stamp); --at) changes[at] = changes[at - 1];
        changes[at] = Change{slot, stampOf(packed), valueOf(packed)};
    }
    // A group begun or finished while we looked may be in the set only in part.
    return groupsBeingWritten.load() == 0 && groupsWritten.load() == groupsBefore;
}
