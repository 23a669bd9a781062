#include "tools/vsthost/BlockScheduler.h"

#include <algorithm>

namespace vsthost {

std::vector<ScheduledEvent> scheduleSong(const MidiSong& song, int32_t sampleRate) {
    std::vector<ScheduledEvent> events;
    events.reserve(song.messages.size());
    for (const TimedMessage& timed : song.messages)
        events.push_back({song.frameAt(timed.time, sampleRate), timed.message});
    return events;
}

size_t mostEventsPerBlock(std::span<const ScheduledEvent> events, int32_t blockSize) {
    BlockScheduler scheduler(events);
    size_t most = 0;
    for (int64_t start = 0; !scheduler.finished(); start += blockSize)
        most = std::max(most, scheduler.eventsInBlock(start, blockSize).size());
    return most;
}

std::span<const ScheduledEvent> BlockScheduler::eventsInBlock(int64_t blockStart, int32_t frames) {
    const size_t first = next;
    const int64_t blockEnd = blockStart + frames;
    while (next < events.size() && events[next].frame < blockEnd) ++next;
    return events.subspan(first, next - first);
}

}  // namespace vsthost
