#include <gtest/gtest.h>

#include <cmath>

#include "synth/voice/NoteFrequencyTable.h"

TEST(NoteFrequencyTable, KnownNotesHaveTheirTwoDecimalFrequencies)
{
    const NoteFrequencyTable table;
    EXPECT_EQ(table.frequency(0), 8.18);
    EXPECT_EQ(table.frequency(60), 261.63);
    EXPECT_EQ(table.frequency(69), 440.0);
    EXPECT_EQ(table.frequency(127), 12543.85);
}

TEST(NoteFrequencyTable, EveryNoteIsEqualTemperamentRoundedToHundredths)
{
    const NoteFrequencyTable table;
    for (int note = 0; note < NoteFrequencyTable::kNoteCount; ++note) {
        const double exact = 440.0 * std::exp2((note - 69) / 12.0);
        const double hundredths = table.frequency(note) * 100.0;
        EXPECT_NEAR(table.frequency(note), exact, 0.005 + 1e-9) << note;
        EXPECT_NEAR(hundredths, std::round(hundredths), 1e-6) << note;
        if (note > 0) {
            EXPECT_GT(table.frequency(note), table.frequency(note - 1)) << note;
        }
    }
}

TEST(NoteFrequencyTable, NotesOutsideTheRangeWrapAroundIt)
{
    const NoteFrequencyTable table;
    EXPECT_EQ(table.frequency(128 + 69), 440.0);
    EXPECT_EQ(table.frequency(-1), table.frequency(127));
}
