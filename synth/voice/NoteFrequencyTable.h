#pragma once

#include <cstdint>

// Equal temperament with note 69 at 440 Hz, each entry rounded to two
// decimals (note 0 = 8.18 Hz, note 60 = 261.63 Hz, note 127 = 12543.85 Hz).
class NoteFrequencyTable {
public:
    static constexpr int32_t kNoteCount = 128;

    NoteFrequencyTable();

    // Note numbers outside 0..127 are taken modulo 128.
    double frequency(int32_t note) const { return hertz[note & (kNoteCount - 1)]; }

private:
    double hertz[kNoteCount];
};
