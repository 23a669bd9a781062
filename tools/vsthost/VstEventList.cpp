#include "tools/vsthost/VstEventList.h"

#include <algorithm>
#include <new>

namespace vsthost {

VstEventList::VstEventList(size_t capacity) : midi(capacity) {
    // The record declares room for two pointers; hosts allocate as many as
    // they hand over.
    const size_t bytes = offsetof(VstEvents, events) + std::max<size_t>(capacity, 2) * sizeof(VstEvent*);
    storage = std::make_unique<std::byte[]>(std::max(bytes, sizeof(VstEvents)));
    header = new (storage.get()) VstEvents{};
    slots = reinterpret_cast<VstEvent**>(storage.get() + offsetof(VstEvents, events));
}

void VstEventList::fill(std::span<const ScheduledEvent> events, int64_t blockStart) {
    const size_t count = std::min(events.size(), midi.size());
    droppedCount += events.size() - count;
    for (size_t i = 0; i < count; ++i) {
        VstMidiEvent& event = midi[i];
        event = VstMidiEvent{};
        event.type = kVstMidiType;
        event.byteSize = static_cast<int32_t>(sizeof(VstMidiEvent));
        event.deltaFrames = static_cast<int32_t>(std::max<int64_t>(events[i].frame - blockStart, 0));
        event.midiData[0] = events[i].message.status;
        event.midiData[1] = events[i].message.data1;
        event.midiData[2] = events[i].message.data2;
        slots[i] = reinterpret_cast<VstEvent*>(&event);
    }
    header->numEvents = static_cast<int32_t>(count);
}

}  // namespace vsthost
