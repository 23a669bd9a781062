// The render that both builds make of the same MIDI file: natively, in
// process, and under Wine through vsthost.exe and the DLL. They must agree to
// the last bit.
#pragma once

#include <cstdint>
#include <vector>

namespace vsthost::reference {

constexpr int32_t kSampleRate = 48000;
constexpr int32_t kBlockSize = 300;  // not a power of two; the song puts an event on a block boundary
constexpr double kTailSeconds = 1.5;
constexpr const char* kProgram = "Vibraphone";  // its vibrato runs through the shared sine table
constexpr const char* kParameters[] = {"Stereo Spread=0.35", "4=0.125"};
constexpr const char* kMidiFile = "reference.mid";
constexpr const char* kWavFile = "reference.wav";

// A format 1 file: tempo changes in a conductor track, running status,
// note-offs as velocity-0 note-ons, chords, ignored controllers and pitch
// bend, and all-notes-off on another channel.
std::vector<uint8_t> referenceSong();

}  // namespace vsthost::reference
