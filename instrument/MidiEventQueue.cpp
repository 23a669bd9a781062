#include "instrument/MidiEventQueue.h"

bool MidiEventQueue::push(const QueuedMidiEvent& event) {
    if (count == kCapacity) {
        dropped.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    // Hosts send events in frame order, so this nearly always appends; an
    // event arriving out of order goes after every event of its own frame.
    int32_t at = count++;
    for (; at > 0 && events[at - 1].frame > event.frame; --at) events[at] = events[at - 1];
    events[at] = event;
    return true;
}
