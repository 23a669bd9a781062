// Reads Standard MIDI Files (formats 0 and 1) into a MidiSong. Meta events
// other than tempo, and system exclusive messages, are skipped. A file that
// is cut short or malformed is refused with a message, never half-read.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "tools/vsthost/MidiSong.h"

namespace vsthost {

struct MidiFileContents {
    std::string error;  // empty when the file was read
    MidiSong song;
    int format = 0;
    int trackCount = 0;

    bool ok() const { return error.empty(); }
};

MidiFileContents parseMidiFile(std::span<const uint8_t> bytes);
MidiFileContents readMidiFile(const std::string& path);

}  // namespace vsthost
