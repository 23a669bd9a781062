#include "synth/voice/NoteFrequencyTable.h"

#include <cmath>

NoteFrequencyTable::NoteFrequencyTable()
{
    for (int32_t note = 0; note < kNoteCount; ++note) {
        const double exact = 440.0 * std::pow(2.0, (note - 69) / 12.0);
        hertz[note] = std::floor(exact * 100.0 + 0.5) / 100.0;
    }
}
