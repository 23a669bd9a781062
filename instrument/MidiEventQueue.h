// The MIDI events of the coming processing call, kept in the order they are
// to be applied: by frame, and in arrival order within a frame. Sized once;
// nothing here allocates. Audio thread only (events and processing).
#pragma once

#include <atomic>
#include <cstdint>

struct QueuedMidiEvent {
    int32_t frame;
    unsigned char status;
    unsigned char data1;
    unsigned char data2;
};

class MidiEventQueue {
public:
    // Far more than a block carries in practice: a full MIDI cable delivers
    // about 3 events per millisecond.
    static constexpr int32_t kCapacity = 1024;

    // False when the queue is full: the event is then dropped and counted.
    bool push(const QueuedMidiEvent& event);
    void clear() { count = 0; }
    int32_t size() const { return count; }
    const QueuedMidiEvent& operator[](int32_t index) const { return events[index]; }
    // Events are stored for one run of processing, from one resume to the
    // next; those left from an earlier run were never processed, and their
    // frames no longer mean anything: they are dropped.
    void keepRun(uint32_t run)
    {
        if (run != storedRun) count = 0;
        storedRun = run;
    }
    // Events dropped because a processing call's queue was full, since the
    // last time this was asked.
    uint32_t takeDroppedCount() { return dropped.exchange(0, std::memory_order_relaxed); }

private:
    QueuedMidiEvent events[kCapacity] = {};
    int32_t count = 0;
    uint32_t storedRun = 0;
    // Read by the host's error-text query from another thread.
    std::atomic<uint32_t> dropped{0};
};
