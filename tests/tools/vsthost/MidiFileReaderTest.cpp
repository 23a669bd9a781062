#include <gtest/gtest.h>

#include <cstdio>

#include "tests/tools/vsthost/MidiFileBytes.h"
#include "tools/vsthost/MidiFileReader.h"

namespace vsthost {
namespace {

using test::append;
using test::Bytes;

constexpr Bytes::value_type kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};

Bytes withEnd(Bytes events) {
    events.insert(events.end(), std::begin(kEndOfTrack), std::end(kEndOfTrack));
    return events;
}

double secondsOf(const MidiSong& song, size_t i) { return song.secondsAt(song.messages.at(i).time); }

TEST(MidiFileReader, RunningStatusRepeatsThePreviousStatusByte) {
    const auto contents = parseMidiFile(test::fileWithTrack(96, withEnd({0x00, 0x91, 60, 100, 0x60, 64, 90, 0x00, 60, 0})));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 3u);
    for (const auto& timed : contents.song.messages) EXPECT_EQ(timed.message.status, 0x91);
    EXPECT_EQ(contents.song.messages[1].message.data1, 64);
    EXPECT_EQ(contents.song.messages[1].message.data2, 90);
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 1), 0.5);  // 96 ticks at the default 120 bpm
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 2), 0.5);
}

TEST(MidiFileReader, OneDataByteMessagesKeepTheirShapeUnderRunningStatus) {
    // Program change (one data byte) twice by running status, then a note.
    const auto contents =
        parseMidiFile(test::fileWithTrack(96, withEnd({0x00, 0xC0, 5, 0x00, 7, 0x00, 0x90, 60, 100})));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 3u);
    EXPECT_EQ(contents.song.messages[1].message.status, 0xC0);
    EXPECT_EQ(contents.song.messages[1].message.data1, 7);
    EXPECT_EQ(contents.song.messages[2].message.data1, 60);
}

TEST(MidiFileReader, TempoChangeMovesOnlyTheEventsAfterIt) {
    // Note at tick 96 (0.5 s at 120 bpm), then 60 bpm, then a note 96 ticks later.
    const auto contents = parseMidiFile(test::fileWithTrack(
        96, withEnd({0x60, 0x90, 60, 100, 0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x60, 0x90, 62, 100})));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 2u);
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 0), 0.5);
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 1), 1.5);
    EXPECT_EQ(contents.song.frameAt(contents.song.messages[1].time, 44100), 66150);
}

TEST(MidiFileReader, FormatOneTempoTrackTimesTheOtherTracksAndMergesThemInOrder) {
    Bytes file = test::header(1, 3, 480);
    test::appendTrack(file, withEnd({0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90}));  // 250000 us: 240 bpm
    test::appendTrack(file, withEnd({0x83, 0x60, 0x90, 60, 100}));  // tick 480
    test::appendTrack(file, withEnd({0x81, 0x70, 0x90, 48, 80, 0x81, 0x70, 0x90, 72, 80}));  // ticks 240, 480
    const auto contents = parseMidiFile(file);
    ASSERT_TRUE(contents.ok()) << contents.error;
    EXPECT_EQ(contents.format, 1);
    EXPECT_EQ(contents.trackCount, 3);
    ASSERT_EQ(contents.song.messages.size(), 3u);
    EXPECT_EQ(contents.song.messages[0].message.data1, 48);
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 0), 0.125);
    // Equal times keep the order of the tracks.
    EXPECT_EQ(contents.song.messages[1].message.data1, 60);
    EXPECT_EQ(contents.song.messages[2].message.data1, 72);
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 2), 0.25);
}

TEST(MidiFileReader, NoteOnWithVelocityZeroIsANoteEnd) {
    const auto contents = parseMidiFile(test::fileWithTrack(96, withEnd({0x00, 0x90, 60, 100, 0x10, 60, 0})));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 2u);
    const MidiMessage end = contents.song.messages[1].message;
    EXPECT_EQ(end.status, 0x90);  // passed on as written
    EXPECT_TRUE(end.isNoteOff());
    EXPECT_FALSE(end.isNoteOn());
    EXPECT_TRUE(contents.song.messages[0].message.isNoteOn());
    EXPECT_TRUE((MidiMessage{0x83, 60, 64}.isNoteOff()));
}

TEST(MidiFileReader, DeltaTimesAreVariableLengthQuantities) {
    // 128, 16383, 16384 and the largest four-byte value, 0x0FFFFFFF.
    const auto contents = parseMidiFile(test::fileWithTrack(
        0x7FFF, {0x81, 0x00, 0x90, 1, 1, 0xFF, 0x7F, 0x90, 2, 1, 0x81, 0x80, 0x00, 0x90, 3, 1,
            0xFF, 0xFF, 0xFF, 0x7F, 0x90, 4, 1}));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 4u);
    const int64_t tempo = 500000;
    EXPECT_EQ(contents.song.messages[0].time, 128 * tempo);
    EXPECT_EQ(contents.song.messages[1].time, (128 + 16383) * tempo);
    EXPECT_EQ(contents.song.messages[2].time, (128 + 16383 + 16384) * tempo);
    EXPECT_EQ(contents.song.messages[3].time, (128 + 16383 + 16384 + int64_t{0x0FFFFFFF}) * tempo);
}

TEST(MidiFileReader, MetaAndSystemExclusiveAreSkippedAndRunningStatusSurvivesThem) {
    const auto contents = parseMidiFile(test::fileWithTrack(
        96, withEnd({0x00, 0x90, 60, 100, 0x00, 0xF0, 0x03, 0x7E, 0x01, 0xF7, 0x00, 0xFF, 0x01, 0x02, 'h', 'i',
                     0x00, 0xF7, 0x01, 0x42, 0x00, 62, 100})));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 2u);
    EXPECT_EQ(contents.song.messages[1].message.status, 0x90);
    EXPECT_EQ(contents.song.messages[1].message.data1, 62);
}

TEST(MidiFileReader, EventsAfterEndOfTrackAndUnknownChunksAreIgnored) {
    Bytes file = test::header(1, 1, 96);
    append(file, {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 0x90, 0x90});
    test::appendTrack(file, {0x00, 0x90, 60, 100, 0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90, 61, 100});
    const auto contents = parseMidiFile(file);
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 1u);
    EXPECT_EQ(contents.song.messages[0].message.data1, 60);
}

TEST(MidiFileReader, SmpteDivisionCountsFramesAndSubframes) {
    // 25 frames of 40 ticks: 1000 ticks a second, whatever the tempo says.
    const uint16_t division = static_cast<uint16_t>((0x100 - 25) << 8 | 40);
    const auto contents = parseMidiFile(test::fileWithTrack(
        division, withEnd({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, 0x83, 0x74, 0x90, 60, 100})));
    ASSERT_TRUE(contents.ok()) << contents.error;
    ASSERT_EQ(contents.song.messages.size(), 1u);
    EXPECT_DOUBLE_EQ(secondsOf(contents.song, 0), 0.5);
}

struct Refusal {
    const char* what;
    Bytes file;
};

TEST(MidiFileReader, RefusesMalformedFilesWithAMessage) {
    const Refusal refusals[] = {
        {"empty", {}},
        {"not a MIDI file", {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96}},
        {"header cut short", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0}},
        {"format 2", [] { auto f = test::header(2, 1, 96); test::appendTrack(f, withEnd({})); return f; }()},
        {"format 0 with two tracks", test::header(0, 2, 96)},
        {"no tracks", test::header(1, 0, 96)},
        {"zero division", test::fileWithTrack(0, withEnd({}))},
        {"missing track", [] { auto f = test::header(1, 2, 96); test::appendTrack(f, withEnd({})); return f; }()},
        {"track longer than the file", [] { auto f = test::fileWithTrack(96, withEnd({})); f.resize(f.size() - 1); return f; }()},
        {"data byte first", test::fileWithTrack(96, withEnd({0x00, 60, 100}))},
        {"message cut short", test::fileWithTrack(96, {0x00, 0x90, 60})},
        {"status where data belongs", test::fileWithTrack(96, withEnd({0x00, 0x90, 60, 0x80}))},
        {"five-byte delta", test::fileWithTrack(96, {0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 100})},
        {"system message", test::fileWithTrack(96, withEnd({0x00, 0xF8}))},
        {"meta cut short", test::fileWithTrack(96, {0x00, 0xFF, 0x01, 0x05, 'a'})},
        {"longer than a day", test::fileWithTrack(1, {0x00, 0xFF, 0x51, 0x03, 0xFF, 0xFF, 0xFF,
                                                      0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100})},
    };
    for (const Refusal& refusal : refusals) {
        const auto contents = parseMidiFile(refusal.file);
        EXPECT_FALSE(contents.ok()) << refusal.what;
        EXPECT_TRUE(contents.song.messages.empty()) << refusal.what;
    }
}

TEST(MidiFileReader, EveryTruncationAndCorruptionIsReadOrRefusedWhole) {
    Bytes file = test::header(1, 2, 96);
    test::appendTrack(file, withEnd({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xF0, 0x02, 0x01, 0xF7}));
    test::appendTrack(file, withEnd({0x00, 0x90, 60, 100, 0x81, 0x00, 62, 90, 0x10, 0x80, 60, 0, 0x00, 0xB0, 7, 100}));
    ASSERT_TRUE(parseMidiFile(file).ok());
    for (size_t length = 0; length < file.size(); ++length) {
        const auto contents = parseMidiFile(std::span(file).first(length));
        EXPECT_TRUE(contents.ok() || contents.song.messages.empty()) << "cut at " << length;
    }
    uint32_t seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        Bytes corrupt = file;
        for (int flips = 0; flips < 3; ++flips) {
            seed = seed * 1664525u + 1013904223u;
            corrupt[(seed >> 8) % corrupt.size()] = static_cast<uint8_t>(seed >> 24);
        }
        const auto contents = parseMidiFile(corrupt);
        EXPECT_TRUE(contents.ok() || contents.song.messages.empty()) << "round " << round;
        for (size_t i = 1; i < contents.song.messages.size(); ++i)
            ASSERT_LE(contents.song.messages[i - 1].time, contents.song.messages[i].time) << "round " << round;
    }
}

TEST(MidiFileReader, ReadsFromDiskAndNamesAFileItCannotOpen) {
    const Bytes file = test::fileWithTrack(96, withEnd({0x00, 0x90, 60, 100}));
    const std::string path = ::testing::TempDir() + "vsthost_reader_test.mid";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    EXPECT_EQ(readMidiFile(path).song.messages.size(), 1u);
    std::remove(path.c_str());
    const auto missing = readMidiFile(path);
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error.find(path), std::string::npos);
}

}  // namespace
}  // namespace vsthost
