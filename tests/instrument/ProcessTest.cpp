#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/instrument/AllocationCounter.h"
#include "tests/instrument/HostedSynth.h"

namespace {

constexpr int32_t kFrames = 1000;

// Notes starting at the first sample, inside a chunk and on a chunk border.
void playChord(HostedSynth& hosted) {
    hosted.send({noteOn(48, 0), noteOn(60, 100), noteOn(67, 512), noteOn(72, 700)});
}

StereoBlock renderWithBlockSize(int32_t blockSize) {
    HostedSynth hosted;
    hosted.dispatch(effSetBlockSize, 0, blockSize);
    playChord(hosted);
    return hosted.render(kFrames);
}

TEST(Processing, AccumulatingAddsAndReplacingOverwrites) {
    HostedSynth adding;
    HostedSynth replacing;
    for (HostedSynth* hosted : {&adding, &replacing}) {
        hosted->dispatch(effSetBlockSize, 0, kFrames);
        playChord(*hosted);
    }
    const StereoBlock added = adding.renderAdding(kFrames, 0.25f);
    const StereoBlock replaced = replacing.render(kFrames);
    EXPECT_TRUE(replaced.soundsAt(800));
    for (int32_t i = 0; i < kFrames; ++i) {
        ASSERT_EQ(added.left[i], 0.25f + replaced.left[i]) << i;
        ASSERT_EQ(added.right[i], 0.25f + replaced.right[i]) << i;
    }
}

TEST(Processing, StartsLandOnTheirSampleWhateverTheHostToldOfItsBlockSize) {
    const StereoBlock expected = renderWithBlockSize(kFrames);
    EXPECT_TRUE(expected.soundsAt(0));
    EXPECT_EQ(renderWithBlockSize(64), expected);
    EXPECT_EQ(renderWithBlockSize(300), expected);
    EXPECT_EQ(renderWithBlockSize(0), expected);
    EXPECT_EQ(renderWithBlockSize(-5), expected);

    HostedSynth neverTold;
    playChord(neverTold);
    EXPECT_EQ(neverTold.render(kFrames), expected);

    HostedSynth toldOnlyByOpcode43;
    EXPECT_EQ(toldOnlyByOpcode43.dispatch(effSetBlockSizeAndSampleRate, 0, 64, nullptr, 44100.0f), 1);
    EXPECT_EQ(toldOnlyByOpcode43.synth().currentBlockSize(), 64);
    playChord(toldOnlyByOpcode43);
    EXPECT_EQ(toldOnlyByOpcode43.render(kFrames), expected);
}

TEST(Processing, RenderingAllocatesNothingEvenBeyondTheBlockSize) {
    HostedSynth hosted;
    hosted.dispatch(effSetBlockSize, 0, 128);
    playChord(hosted);
    StereoBlock block = hosted.render(kFrames);
    float* outputs[2] = {block.left.data(), block.right.data()};
    const long before = allocationCount();
    hosted.record->processReplacing(hosted.record, nullptr, outputs, kFrames);
    hosted.record->process(hosted.record, nullptr, outputs, kFrames);
    EXPECT_EQ(allocationCount(), before);
}

TEST(Processing, CallsWithoutBuffersChangeNothing) {
    HostedSynth hosted;
    HostedSynth reference;
    for (HostedSynth* synth : {&hosted, &reference}) {
        synth->dispatch(effSetBlockSize, 0, kFrames);
        playChord(*synth);
    }
    float* noChannels[2] = {nullptr, nullptr};
    hosted.record->processReplacing(hosted.record, nullptr, nullptr, 64);
    hosted.record->processReplacing(hosted.record, nullptr, noChannels, 64);
    hosted.record->process(hosted.record, nullptr, noChannels, 64);
    const StereoBlock expected = reference.render(kFrames);
    EXPECT_TRUE(expected.soundsAt(0));
    EXPECT_EQ(hosted.render(kFrames), expected);
}

TEST(Processing, NegativeFrameCountsWriteNothing) {
    HostedSynth hosted;
    hosted.send({noteOn(60)});
    float left[4] = {7, 7, 7, 7};
    float right[4] = {7, 7, 7, 7};
    float* outputs[2] = {left, right};
    hosted.record->processReplacing(hosted.record, nullptr, outputs, -1);
    hosted.record->process(hosted.record, nullptr, outputs, INT32_MIN);
    for (int32_t i = 0; i < 4; ++i) EXPECT_TRUE(left[i] == 7.0f && right[i] == 7.0f);
}

TEST(Processing, SampleRatesTheEngineCannotRunAtAreIgnored) {
    HostedSynth reference;
    HostedSynth hosted;
    for (float rate : {0.0f, -44100.0f, 10.0f, std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()}) {
        hosted.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    }
    EXPECT_EQ(hosted.synth().currentSampleRate(), 44100.0f);
    for (HostedSynth* synth : {&reference, &hosted}) {
        synth->dispatch(effSetProgram, 0, 1);  // the vibrato runs
        synth->send({noteOn(60)});
    }
    const StereoBlock block = hosted.render(4096);
    EXPECT_TRUE(block.allFinite());
    EXPECT_TRUE(block.soundsAt(100));
    EXPECT_EQ(block, reference.render(4096));
}

TEST(Processing, ANewSampleRateRetunesTheNextStrike) {
    HostedSynth at44100;
    HostedSynth at48000;
    at48000.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(at48000.synth().currentSampleRate(), 48000.0f);
    for (HostedSynth* synth : {&at44100, &at48000}) synth->send({noteOn(60)});
    EXPECT_NE(at48000.render(256), at44100.render(256));
}

TEST(Processing, Opcode43SetsTheRateTheEngineRunsAt) {
    HostedSynth byOpcode43;
    HostedSynth bySetters;
    HostedSynth at44100;
    EXPECT_EQ(byOpcode43.dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f), 1);
    bySetters.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    bySetters.dispatch(effSetBlockSize, 0, 512);
    EXPECT_EQ(byOpcode43.synth().currentSampleRate(), 96000.0f);
    EXPECT_EQ(byOpcode43.synth().currentBlockSize(), 512);
    for (HostedSynth* synth : {&byOpcode43, &bySetters, &at44100}) synth->send({noteOn(69)});
    const StereoBlock expected = bySetters.render(2048);
    EXPECT_EQ(byOpcode43.render(2048), expected);
    EXPECT_NE(at44100.render(2048), expected);
}

}  // namespace

// A host restarting its audio engine: suspend, perhaps a new rate, resume.
// Voices tuned at the old rate must not ring on off pitch, and events stored
// for a block that was never processed must not sound at stale frames.
TEST(Processing, ResumeAtANewRateSilencesOldVoicesAndDropsUnprocessedEvents) {
    HostedSynth hosted;
    const auto restart = [&hosted](float rate) {
        hosted.dispatch(effMainsChanged, 0, 0);
        hosted.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        hosted.dispatch(effMainsChanged, 0, 1);
    };
    restart(44100.0f);
    hosted.send({noteOn(60)});
    EXPECT_TRUE(hosted.render(512).soundsAt(500));

    // The same rate again changes nothing: the note rings on.
    restart(44100.0f);
    EXPECT_TRUE(hosted.render(512).soundsAt(500));

    hosted.send({noteOn(72, 10)});
    restart(48000.0f);
    EXPECT_TRUE(hosted.render(512).silentIn(0, 512));

    // Events stored after the resume play at their own frame.
    hosted.send({noteOn(67, 100)});
    const StereoBlock fresh = hosted.render(512);
    EXPECT_TRUE(fresh.silentIn(0, 100));
    EXPECT_TRUE(fresh.soundsAt(100));

    // Dropped at resume even when the rate stays.
    hosted.send({midiEvent(0xB0, 120, 0, 0)});
    restart(48000.0f);
    EXPECT_TRUE(hosted.render(512).soundsAt(500));
}
