#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "tests/instrument/HostedSynth.h"

namespace {

constexpr int32_t kBlock = 512;

class Events : public ::testing::Test {
protected:
    HostedSynth hosted;
    HostedSynth reference;

    void SetUp() override {
        for (HostedSynth* synth : {&hosted, &reference}) synth->dispatch(effSetBlockSize, 0, kBlock);
    }
    // Both instruments strike note 60 and ring for one block.
    void ringBoth() {
        for (HostedSynth* synth : {&hosted, &reference}) {
            synth->send({noteOn(60)});
            synth->render(kBlock);
        }
    }
};

TEST_F(Events, AFreshNoteStartsAtItsDeltaFrames) {
    hosted.send({noteOn(60, 100)});
    reference.send({noteOn(60, 0)});
    const StereoBlock delayed = hosted.render(kBlock);
    const StereoBlock onTime = reference.render(kBlock);
    EXPECT_TRUE(delayed.silentIn(0, 100));
    EXPECT_TRUE(delayed.soundsAt(100));
    for (int32_t i = 100; i < kBlock; ++i) {
        ASSERT_EQ(delayed.left[i], onTime.left[i - 100]) << i;
        ASSERT_EQ(delayed.right[i], onTime.right[i - 100]) << i;
    }
}

// Rendered in blocks of blockSize with the re-strike 100 frames into the
// second block of 512 frames' worth, whatever the block size.
StereoBlock restrikeAt100(int32_t blockSize, bool restrike) {
    HostedSynth synth;
    synth.dispatch(effSetBlockSize, 0, blockSize);
    synth.send({noteOn(60)});
    StereoBlock all;
    for (int32_t done = 0; done < 2048; done += blockSize) {
        if (restrike && done <= 612 && 612 < done + blockSize) synth.send({noteOn(60, 612 - done, 127)});
        const StereoBlock block = synth.render(blockSize);
        all.left.insert(all.left.end(), block.left.begin(), block.left.end());
        all.right.insert(all.right.end(), block.right.begin(), block.right.end());
    }
    all.left.resize(2048);
    all.right.resize(2048);
    return all;
}

TEST(EventTiming, AReStrikeSoundsAtItsOwnFrameWhateverTheBlockSize) {
    const StereoBlock ringing = restrikeAt100(512, false);
    const StereoBlock in512 = restrikeAt100(512, true);
    for (int32_t i = 0; i < 612; ++i) ASSERT_EQ(in512.left[i], ringing.left[i]) << i;
    EXPECT_NE(in512.left[613], ringing.left[613]);
    EXPECT_EQ(restrikeAt100(100, true), in512);
    EXPECT_EQ(restrikeAt100(64, true), in512);
}

TEST_F(Events, NoteOffIsASilentStrikeThatKeepsTheNoteRinging) {
    ringBoth();
    hosted.send({midiEvent(0x80, 60, 64, 30)});
    const StereoBlock ringing = reference.render(kBlock);
    EXPECT_TRUE(ringing.soundsAt(kBlock - 1));
    EXPECT_EQ(hosted.render(kBlock), ringing);
    hosted.send({midiEvent(0x90, 60, 0, 30)});
    EXPECT_EQ(hosted.render(kBlock), reference.render(kBlock));
}

TEST_F(Events, ANoteReleasedInTheBlockOfItsNoteOnStillSounds) {
    hosted.send({noteOn(60, 100), midiEvent(0x80, 60, 0, 110)});
    reference.send({noteOn(60, 100)});
    const StereoBlock shortNote = hosted.render(kBlock);
    EXPECT_TRUE(shortNote.soundsAt(kBlock - 1));
    EXPECT_EQ(shortNote, reference.render(kBlock));
}

TEST_F(Events, NoteOffRestartsTheTwoSecondLifetime) {
    ringBoth();
    for (HostedSynth* synth : {&hosted, &reference}) synth->renderBlocks(84, kBlock);
    hosted.send({midiEvent(0x80, 60, 0)});
    // Just over 2 s after the strike, about 1 s after the note-off.
    for (HostedSynth* synth : {&hosted, &reference}) synth->renderBlocks(89, kBlock);
    EXPECT_TRUE(reference.render(kBlock).silentIn(0, kBlock));
    EXPECT_TRUE(hosted.render(kBlock).soundsAt(0));
}

TEST_F(Events, Controllers120And126OnAnyChannelSilenceAtTheirOwnFrame) {
    for (const unsigned char controller : {static_cast<unsigned char>(126), static_cast<unsigned char>(120)}) {
        HostedSynth synth;
        synth.send({noteOn(60)});
        synth.render(kBlock);
        synth.send({midiEvent(0xB5, controller, 0, 300)});
        const StereoBlock cut = synth.render(kBlock);
        EXPECT_TRUE(cut.soundsAt(299)) << int(controller);
        EXPECT_TRUE(cut.silentIn(300, kBlock)) << int(controller);
        synth.send({midiEvent(0xBF, controller, 0, 0), noteOn(64, 200)});
        const StereoBlock after = synth.render(kBlock);
        EXPECT_TRUE(after.silentIn(0, 200)) << int(controller);
        EXPECT_TRUE(after.soundsAt(200)) << int(controller);
    }
}

TEST_F(Events, Controller123AndOtherMessagesChangeNothing) {
    ringBoth();
    hosted.send({midiEvent(0xB0, 123, 0), midiEvent(0xB3, 7, 0), midiEvent(0xC0, 5, 0),
                 midiEvent(0xE0, 0, 127), midiEvent(0xA0, 60, 0), midiEvent(0xD0, 0, 0),
                 midiEvent(0xF0, 126, 0)});
    const StereoBlock ringing = reference.render(kBlock);
    EXPECT_TRUE(ringing.soundsAt(kBlock - 1));
    EXPECT_EQ(hosted.render(kBlock), ringing);
}

TEST_F(Events, EveryChannelPlaysTheSameInstrument) {
    reference.send({noteOn(67, 40)});
    const StereoBlock expected = reference.render(kBlock);
    EXPECT_TRUE(expected.soundsAt(40));
    for (unsigned char channel = 1; channel < 16; ++channel) {
        HostedSynth other;
        other.dispatch(effSetBlockSize, 0, kBlock);
        other.send({midiEvent(static_cast<unsigned char>(0x90 | channel), 67, 100, 40)});
        EXPECT_EQ(other.render(kBlock), expected) << "channel " << channel + 1;
    }
}

TEST_F(Events, EventsOfOtherTypesAreSkipped) {
    VstMidiEvent looksLikeANote = noteOn(60);
    looksLikeANote.type = 6;
    EventList list;
    list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&looksLikeANote);
    list.events[list.numEvents++] = nullptr;
    EXPECT_EQ(hosted.dispatch(effProcessEvents, 0, 0, list.asEvents()), 1);
    EXPECT_TRUE(hosted.render(kBlock).silentIn(0, kBlock));
    looksLikeANote.type = kVstMidiType;
    hosted.dispatch(effProcessEvents, 0, 0, list.asEvents());
    EXPECT_TRUE(hosted.render(kBlock).soundsAt(0));
}

TEST_F(Events, NegativeDeltaFramesCountAsTheFirstSample) {
    hosted.send({noteOn(60, -50)});
    reference.send({noteOn(60, 0)});
    const StereoBlock expected = reference.render(kBlock);
    EXPECT_TRUE(expected.soundsAt(0));
    EXPECT_EQ(hosted.render(kBlock), expected);
}

TEST_F(Events, AMissingListOrANegativeCountIsIgnored) {
    EXPECT_EQ(hosted.dispatch(effProcessEvents, 0, 0, nullptr), 1);
    VstMidiEvent note = noteOn(60);
    EventList list;
    list.events[0] = reinterpret_cast<VstEvent*>(&note);
    list.numEvents = -3;
    EXPECT_EQ(hosted.dispatch(effProcessEvents, 0, 0, list.asEvents()), 1);
    EXPECT_TRUE(hosted.render(kBlock).silentIn(0, kBlock));
    list.numEvents = 1;
    hosted.dispatch(effProcessEvents, 0, 0, list.asEvents());
    EXPECT_TRUE(hosted.render(kBlock).soundsAt(0));
}

TEST_F(Events, ANoteDelayedBeyondTheBlockStartsAtTheNextOne) {
    hosted.send({noteOn(60, kBlock + 10)});
    EXPECT_TRUE(hosted.render(kBlock).silentIn(0, kBlock));
    reference.send({noteOn(60, 0)});
    const StereoBlock expected = reference.render(kBlock);
    EXPECT_TRUE(expected.soundsAt(0));
    EXPECT_EQ(hosted.render(kBlock), expected);
}

TEST_F(Events, SeveralEventCallsAddUpAndAreAppliedOnce) {
    hosted.send({noteOn(60, 100)});
    hosted.send({noteOn(64, 50)});
    reference.send({noteOn(64, 50), noteOn(60, 100)});
    EXPECT_EQ(hosted.render(kBlock), reference.render(kBlock));
    EXPECT_EQ(hosted.render(kBlock), reference.render(kBlock));
}

// The host's list is a count followed by the pointers themselves.
std::vector<unsigned char> eventList(std::vector<VstMidiEvent>& events) {
    std::vector<VstEvent*> pointers;
    for (VstMidiEvent& event : events) pointers.push_back(reinterpret_cast<VstEvent*>(&event));
    std::vector<unsigned char> list(offsetof(VstEvents, events) + pointers.size() * sizeof(VstEvent*));
    const auto count = static_cast<int32_t>(pointers.size());
    std::memcpy(list.data(), &count, sizeof count);
    std::memcpy(list.data() + offsetof(VstEvents, events), pointers.data(), pointers.size() * sizeof(VstEvent*));
    return list;
}

// The error text tells of the drops since it was last read, then is quiet.
TEST_F(Events, BeyondTheStorageEventsAreDroppedCountedAndReportedOnce) {
    char text[256] = "";
    EXPECT_EQ(hosted.dispatch(effGetErrorText, 0, 0, text), 0);
    std::vector<VstMidiEvent> many;
    for (int32_t i = 0; i < 1100; ++i) many.push_back(midiEvent(0xB0, 7, 0, i % 400));
    many.push_back(noteOn(60, 10));
    std::vector<unsigned char> list = eventList(many);
    hosted.dispatch(effProcessEvents, 0, 0, list.data());
    EXPECT_TRUE(hosted.render(kBlock).silentIn(0, kBlock));
    EXPECT_EQ(hosted.dispatch(effGetErrorText, 0, 0, text), 1);
    EXPECT_STREQ(text, "77 MIDI events dropped");
    EXPECT_EQ(hosted.dispatch(effGetErrorText, 0, 0, text), 0);
    hosted.send({noteOn(60, 10)});
    EXPECT_TRUE(hosted.render(kBlock).soundsAt(10));
    EXPECT_EQ(hosted.dispatch(effGetErrorText, 0, 0, text), 0);

    many.resize(1030);
    list = eventList(many);
    hosted.dispatch(effProcessEvents, 0, 0, list.data());
    hosted.render(kBlock);
    EXPECT_EQ(hosted.dispatch(effGetErrorText, 0, 0, text), 1);
    EXPECT_STREQ(text, "6 MIDI events dropped");
}

}  // namespace
