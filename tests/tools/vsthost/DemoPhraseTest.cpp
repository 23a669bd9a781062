#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "tools/vsthost/DemoPhrase.h"

namespace vsthost {
namespace {

TEST(DemoPhrase, LastsAboutEightSeconds) {
    const MidiSong song = demoPhrase();
    ASSERT_FALSE(song.messages.empty());
    const double lastEvent = song.secondsAt(song.endTime());
    EXPECT_GE(lastEvent + 2.5, 7.0);  // with the default tail
    EXPECT_LE(lastEvent + 2.5, 10.0);
    EXPECT_TRUE(std::is_sorted(song.messages.begin(), song.messages.end(),
                               [](const TimedMessage& a, const TimedMessage& b) { return a.time < b.time; }));
}

TEST(DemoPhrase, HasChordsRepeatedNotesAndAWideRange) {
    const MidiSong song = demoPhrase();
    std::vector<double> onsets;
    int lowest = 127;
    int highest = 0;
    int longestRepeat = 0;
    int repeat = 0;
    int previousMelodyKey = -1;
    for (const TimedMessage& timed : song.messages) {
        if (!timed.message.isNoteOn()) continue;
        const int key = timed.message.data1;
        lowest = std::min(lowest, key);
        highest = std::max(highest, key);
        onsets.push_back(song.secondsAt(timed.time));
        if (key >= 72) {  // the melody sits above the chords
            repeat = key == previousMelodyKey ? repeat + 1 : 1;
            longestRepeat = std::max(longestRepeat, repeat);
            previousMelodyKey = key;
        }
    }
    // A chord: three strikes within a tenth of a second (they may be rolled).
    int chords = 0;
    for (size_t i = 0; i + 2 < onsets.size(); ++i) {
        if (onsets[i + 2] - onsets[i] > 0.1 || (i > 0 && onsets[i] - onsets[i - 1] <= 0.1)) continue;
        ++chords;
    }
    EXPECT_GE(chords, 4);
    EXPECT_GE(longestRepeat, 3);
    EXPECT_LE(lowest, 40);
    EXPECT_GE(highest, 96);
}

TEST(DemoPhrase, EveryNoteIsReleasedAfterItStartsAndStaysInMidiRange) {
    const MidiSong song = demoPhrase();
    std::map<int, int> sounding;
    for (const TimedMessage& timed : song.messages) {
        const MidiMessage m = timed.message;
        EXPECT_LT(m.data1, 128);
        EXPECT_LT(m.data2, 128);
        if (m.isNoteOn()) ++sounding[m.data1];
        if (m.isNoteOff()) {
            EXPECT_GT(sounding[m.data1], 0) << "released before it was struck: " << int{m.data1};
            --sounding[m.data1];
        }
    }
    for (const auto& [key, count] : sounding) EXPECT_EQ(count, 0) << "never released: " << key;
}

}  // namespace
}  // namespace vsthost
