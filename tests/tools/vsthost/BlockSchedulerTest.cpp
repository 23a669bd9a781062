#include <gtest/gtest.h>

#include <vector>

#include "tools/vsthost/BlockScheduler.h"
#include "tools/vsthost/VstEventList.h"

namespace vsthost {
namespace {

std::vector<ScheduledEvent> eventsAt(std::initializer_list<int64_t> frames) {
    std::vector<ScheduledEvent> events;
    uint8_t key = 60;
    for (int64_t frame : frames) events.push_back({frame, {0x90, key++, 100}});
    return events;
}

std::vector<int64_t> framesOf(std::span<const ScheduledEvent> events) {
    std::vector<int64_t> frames;
    for (const auto& event : events) frames.push_back(event.frame);
    return frames;
}

TEST(BlockScheduler, SongTimesBecomeFramesAtTheSampleRate) {
    MidiSong song;
    song.unitsPerSecond = 1000;
    song.messages = {{0, {0x90, 60, 100}}, {500, {0x80, 60, 0}}, {1001, {0x90, 62, 1}}};
    const auto events = scheduleSong(song, 48000);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(framesOf(events), (std::vector<int64_t>{0, 24000, 48048}));
    EXPECT_EQ(events[1].message.status, 0x80);
}

TEST(BlockScheduler, AnEventOnABlockBoundaryOpensTheNextBlock) {
    const auto events = eventsAt({0, 100, 511, 512, 1000, 1024});
    BlockScheduler scheduler(events);
    EXPECT_EQ(framesOf(scheduler.eventsInBlock(0, 512)), (std::vector<int64_t>{0, 100, 511}));
    EXPECT_EQ(framesOf(scheduler.eventsInBlock(512, 512)), (std::vector<int64_t>{512, 1000}));
    EXPECT_FALSE(scheduler.finished());
    EXPECT_EQ(framesOf(scheduler.eventsInBlock(1024, 512)), (std::vector<int64_t>{1024}));
    EXPECT_TRUE(scheduler.finished());
    EXPECT_TRUE(scheduler.eventsInBlock(1536, 512).empty());
}

TEST(BlockScheduler, EventsOfOneBlockKeepTheirSongOrder) {
    const auto events = eventsAt({10, 10, 10, 300});
    BlockScheduler scheduler(events);
    const auto block = scheduler.eventsInBlock(0, 512);
    ASSERT_EQ(block.size(), 4u);
    for (size_t i = 0; i < block.size(); ++i) EXPECT_EQ(block[i].message.data1, 60 + i);
}

TEST(BlockScheduler, CountsTheBusiestBlock) {
    const auto events = eventsAt({0, 1, 2, 600, 1100, 1101, 1102, 1103});
    EXPECT_EQ(mostEventsPerBlock(events, 512), 4u);
    EXPECT_EQ(mostEventsPerBlock(events, 64), 4u);
    EXPECT_EQ(mostEventsPerBlock(events, 1), 1u);
    EXPECT_EQ(mostEventsPerBlock({}, 512), 0u);
}

TEST(VstEventList, DeltaFramesCountFromTheStartOfTheBlock) {
    const auto events = eventsAt({512, 700, 1023});
    VstEventList list(4);
    list.fill(events, 512);
    VstEvents* record = list.record();
    ASSERT_EQ(record->numEvents, 3);
    const int32_t expected[] = {0, 188, 511};
    for (int i = 0; i < 3; ++i) {
        const auto* midi = reinterpret_cast<const VstMidiEvent*>(record->events[i]);
        EXPECT_EQ(midi->type, kVstMidiType);
        EXPECT_EQ(midi->byteSize, static_cast<int32_t>(sizeof(VstMidiEvent)));
        EXPECT_EQ(midi->deltaFrames, expected[i]);
        EXPECT_EQ(midi->midiData[0], 0x90);
        EXPECT_EQ(midi->midiData[1], 60 + i);
        EXPECT_EQ(midi->midiData[2], 100);
        EXPECT_EQ(midi->midiData[3], 0);
    }
}

TEST(VstEventList, RefillingReplacesTheEventsAndOverflowIsCountedNotWritten) {
    VstEventList list(2);
    list.fill(eventsAt({0, 1, 2}), 0);
    EXPECT_EQ(list.size(), 2);
    EXPECT_EQ(list.dropped(), 1u);
    list.fill(eventsAt({1030}), 1024);
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(reinterpret_cast<const VstMidiEvent*>(list.record()->events[0])->deltaFrames, 6);
    list.fill({}, 2048);
    EXPECT_EQ(list.size(), 0);
}

TEST(VstEventList, HoldsMoreEventsThanTheRecordDeclares) {
    std::vector<ScheduledEvent> events;
    for (int i = 0; i < 100; ++i) events.push_back({i, {0xB0, 7, static_cast<uint8_t>(i)}});
    VstEventList list(events.size());
    list.fill(events, 0);
    ASSERT_EQ(list.size(), 100);
    VstEvent** slots = list.record()->events;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(reinterpret_cast<const VstMidiEvent*>(slots[i])->midiData[2], i);
}

}  // namespace
}  // namespace vsthost
