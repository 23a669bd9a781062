// Places a song's messages on sample frames and hands them out block by
// block, the way a sequencer feeds an instrument.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/vsthost/MidiSong.h"

namespace vsthost {

struct ScheduledEvent {
    int64_t frame = 0;
    MidiMessage message;
};

// Frames at the given rate, in song order.
std::vector<ScheduledEvent> scheduleSong(const MidiSong& song, int32_t sampleRate);

// The most events that fall into any one block of blockSize frames.
size_t mostEventsPerBlock(std::span<const ScheduledEvent> events, int32_t blockSize);

class BlockScheduler {
public:
    explicit BlockScheduler(std::span<const ScheduledEvent> scheduled) : events(scheduled) {}

    // Events in [blockStart, blockStart + frames). Blocks are asked for in
    // order; an event before blockStart that was never handed out goes into
    // this block rather than being lost.
    std::span<const ScheduledEvent> eventsInBlock(int64_t blockStart, int32_t frames);
    bool finished() const { return next >= events.size(); }

private:
    std::span<const ScheduledEvent> events;
    size_t next = 0;
};

}  // namespace vsthost
