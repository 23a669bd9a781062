// The VstEvents record handed to effProcessEvents, with room for a fixed
// number of MIDI events. It must stay alive until the processing call of its
// block has returned: the plug-in may keep the pointers until then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "host/VstInterface.h"
#include "tools/vsthost/BlockScheduler.h"

namespace vsthost {

class VstEventList {
public:
    explicit VstEventList(size_t capacity);
    VstEventList(const VstEventList&) = delete;
    VstEventList& operator=(const VstEventList&) = delete;

    // Fills the record with the events of the block that starts at blockStart;
    // events beyond the capacity are dropped and counted.
    void fill(std::span<const ScheduledEvent> events, int64_t blockStart);
    VstEvents* record() { return header; }
    int32_t size() const { return header->numEvents; }
    size_t dropped() const { return droppedCount; }

private:
    std::vector<VstMidiEvent> midi;
    std::unique_ptr<std::byte[]> storage;
    VstEvents* header = nullptr;
    VstEvent** slots = nullptr;
    size_t droppedCount = 0;
};

}  // namespace vsthost
