#include "tools/vsthost/DemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace vsthost {
namespace {

constexpr int64_t kMicrosecondsPerBeat = 600000;  // 100 beats per minute

struct Note {
    double beat;
    int key;
    int velocity;
    double beats;
};

constexpr Note kPhrase[] = {
    // Bar 1: an open fifth in the bass, then an arpeggio climbing two octaves.
    {0.0, 38, 104, 2.0}, {0.0, 45, 84, 2.0}, {0.0, 50, 80, 2.0},
    {0.5, 57, 78, 0.5}, {1.0, 62, 86, 0.5}, {1.5, 64, 80, 0.5}, {2.0, 66, 90, 0.5},
    {2.5, 69, 84, 0.5}, {3.0, 74, 102, 0.5}, {3.5, 76, 88, 0.5},
    // Bar 2: chords under a melody of repeated notes.
    {4.0, 47, 96, 1.5}, {4.0, 54, 76, 1.5}, {4.0, 62, 74, 1.5}, {4.0, 78, 108, 0.25},
    {4.25, 78, 82, 0.25}, {4.5, 78, 92, 0.25}, {4.75, 76, 84, 0.25}, {5.0, 74, 96, 0.5},
    {5.5, 43, 92, 0.5}, {5.5, 62, 72, 0.5}, {5.5, 67, 74, 0.5}, {5.5, 71, 80, 0.5},
    {6.0, 45, 96, 2.0}, {6.0, 52, 76, 2.0}, {6.0, 61, 74, 2.0}, {6.0, 81, 106, 0.25},
    {6.25, 81, 80, 0.25}, {6.5, 81, 90, 0.25}, {6.75, 83, 86, 0.25}, {7.0, 81, 98, 0.5},
    {7.5, 78, 88, 0.5},
    // Bar 3: a run to the top of the keyboard over a low chord.
    {8.0, 43, 96, 2.0}, {8.0, 50, 76, 2.0}, {8.0, 59, 74, 2.0}, {8.0, 86, 92, 0.25},
    {8.25, 88, 86, 0.25}, {8.5, 90, 90, 0.25}, {8.75, 93, 92, 0.25}, {9.0, 95, 96, 0.25},
    {9.25, 98, 104, 0.75},
    // The closing chord, five octaves wide.
    {10.0, 38, 110, 1.0}, {10.0, 45, 86, 1.0}, {10.0, 54, 80, 1.0}, {10.0, 62, 82, 1.0},
    {10.0, 69, 84, 1.0}, {10.0, 74, 90, 1.0}, {10.0, 78, 96, 1.0}, {10.0, 93, 88, 1.0},
};

int64_t beatTime(double beat) {
    return static_cast<int64_t>(std::llround(beat * static_cast<double>(kMicrosecondsPerBeat)));
}

uint8_t dataByte(int value) { return static_cast<uint8_t>(value & 0x7F); }

}  // namespace

MidiSong demoPhrase() {
    MidiSong song;
    song.unitsPerSecond = 1000000;
    for (const Note& note : kPhrase) {
        song.messages.push_back({beatTime(note.beat), {0x90, dataByte(note.key), dataByte(note.velocity)}});
        song.messages.push_back({beatTime(note.beat + note.beats), {0x80, dataByte(note.key), 0x40}});
    }
    // At equal times a note ends before the next one starts, so a repeated
    // note is released and struck again rather than the other way round.
    std::stable_sort(song.messages.begin(), song.messages.end(), [](const TimedMessage& a, const TimedMessage& b) {
        if (a.time != b.time) return a.time < b.time;
        return a.message.isNoteOff() && !b.message.isNoteOff();
    });
    return song;
}

}  // namespace vsthost
