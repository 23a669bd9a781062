#include "tools/vsthost/DemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace vsthost {
namespace {

constexpr int64_t kMicrosecondsPerBeat = 600000;  // 100 beats per minute
// Notes written on the same beat are rolled from the bottom up, as a mallet
// player strikes a chord; it also keeps their attacks from piling up.
constexpr double kRollBeats = 0.03;

struct Note {
    double beat;
    int key;
    int velocity;
    double beats;
};

constexpr Note kPhrase[] = {
    // Bar 1: an open fifth in the bass, then an arpeggio climbing two octaves.
    {0.0, 38, 52, 2.0}, {0.0, 45, 39, 2.0}, {0.0, 50, 36, 2.0},
    {0.5, 57, 46, 0.5}, {1.0, 62, 54, 0.5}, {1.5, 64, 51, 0.5}, {2.0, 66, 60, 0.5},
    {2.5, 69, 56, 0.5}, {3.0, 74, 72, 0.5}, {3.5, 76, 63, 0.5},
    // Bar 2: chords under a melody of repeated notes.
    {4.0, 47, 45, 1.5}, {4.0, 54, 36, 1.5}, {4.0, 62, 38, 1.5}, {4.0, 78, 81, 0.25},
    {4.25, 78, 60, 0.25}, {4.5, 78, 69, 0.25}, {4.75, 76, 62, 0.25}, {5.0, 74, 72, 0.5},
    {5.5, 43, 45, 0.5}, {5.5, 62, 36, 0.5}, {5.5, 67, 39, 0.5}, {5.5, 71, 45, 0.5},
    {6.0, 45, 46, 2.0}, {6.0, 52, 36, 2.0}, {6.0, 61, 38, 2.0}, {6.0, 81, 81, 0.25},
    {6.25, 81, 60, 0.25}, {6.5, 81, 69, 0.25}, {6.75, 83, 64, 0.25}, {7.0, 81, 75, 0.5},
    {7.5, 78, 66, 0.5},
    // Bar 3: a run to the top of the keyboard over a low chord.
    {8.0, 43, 46, 2.0}, {8.0, 50, 36, 2.0}, {8.0, 59, 38, 2.0}, {8.0, 86, 72, 0.25},
    {8.25, 88, 69, 0.25}, {8.5, 90, 74, 0.25}, {8.75, 93, 78, 0.25}, {9.0, 95, 82, 0.25},
    {9.25, 98, 90, 0.75},
    // The closing chord, five octaves wide.
    {10.0, 38, 51, 1.0}, {10.0, 45, 34, 1.0}, {10.0, 54, 33, 1.0}, {10.0, 62, 36, 1.0},
    {10.0, 69, 42, 1.0}, {10.0, 74, 48, 1.0}, {10.0, 78, 57, 1.0}, {10.0, 93, 72, 1.0},
};

int64_t beatTime(double beat) {
    return static_cast<int64_t>(std::llround(beat * static_cast<double>(kMicrosecondsPerBeat)));
}

uint8_t dataByte(int value) { return static_cast<uint8_t>(value & 0x7F); }

}  // namespace

MidiSong demoPhrase() {
    MidiSong song;
    song.unitsPerSecond = 1000000;
    double previousBeat = -1.0;
    int chordTone = 0;
    for (const Note& note : kPhrase) {
        chordTone = note.beat == previousBeat ? chordTone + 1 : 0;
        previousBeat = note.beat;
        const double strike = note.beat + chordTone * kRollBeats;
        song.messages.push_back({beatTime(strike), {0x90, dataByte(note.key), dataByte(note.velocity)}});
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
