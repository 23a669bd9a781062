// A MIDI song as the host plays it: channel messages in time order, on a
// time axis exact enough to place every event on the same sample in every
// build.
#pragma once

#include <cstdint>
#include <vector>

namespace vsthost {

struct MidiMessage {
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;

    uint8_t kind() const { return static_cast<uint8_t>(status & 0xF0); }
    bool isNoteOn() const { return kind() == 0x90 && data2 != 0; }
    // A note-on with velocity 0 ends a note just like a note-off.
    bool isNoteOff() const { return kind() == 0x80 || (kind() == 0x90 && data2 == 0); }
};

struct TimedMessage {
    int64_t time = 0;  // in MidiSong::unitsPerSecond
    MidiMessage message;
};

struct MidiSong {
    // Time units per second. Standard MIDI files count microseconds times the
    // file's ticks per quarter note, so tempo changes never round.
    int64_t unitsPerSecond = 1000000;
    std::vector<TimedMessage> messages;

    int64_t frameAt(int64_t time, int32_t sampleRate) const;
    double secondsAt(int64_t time) const;
    int64_t endTime() const { return messages.empty() ? 0 : messages.back().time; }
};

}  // namespace vsthost
