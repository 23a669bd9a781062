#include <gtest/gtest.h>

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

TEST_F(Events, ANoteStruckAgainWhileRingingSoundsFromTheStartOfTheBlock) {
    HostedSynth untouched;
    untouched.dispatch(effSetBlockSize, 0, kBlock);
    untouched.send({noteOn(60)});
    untouched.render(kBlock);
    ringBoth();
    hosted.send({noteOn(60, 100)});
    reference.send({noteOn(60, 0)});
    const StereoBlock restruck = hosted.render(kBlock);
    EXPECT_EQ(restruck, reference.render(kBlock));
    const StereoBlock ringing = untouched.render(kBlock);
    EXPECT_NE(restruck.left[5], ringing.left[5]);
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

TEST_F(Events, Controller126OnAnyChannelSilencesFromTheNextBlock) {
    ringBoth();
    hosted.send({midiEvent(0xB5, 126, 0, 300)});
    EXPECT_TRUE(hosted.render(kBlock).silentIn(0, kBlock));
    hosted.send({midiEvent(0xBF, 126, 0, 0), noteOn(64, 200)});
    const StereoBlock after = hosted.render(kBlock);
    EXPECT_TRUE(after.silentIn(0, 200));
    EXPECT_TRUE(after.soundsAt(200));
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

}  // namespace
