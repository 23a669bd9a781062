#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/instrument/HostedSynth.h"

namespace {

constexpr int32_t kBlock = 512;

void holdThirtyTwoNotes(HostedSynth& synth, int32_t lowest) {
    for (int32_t note = lowest; note < lowest + 32; ++note) synth.send({noteOn(note, 0, 127)});
    synth.render(kBlock);
}

float peakOf(const StereoBlock& block) {
    float peak = 0.0f;
    for (size_t i = 0; i < block.left.size(); ++i) peak = std::max({peak, std::fabs(block.left[i]), std::fabs(block.right[i])});
    return peak;
}

TEST(VoiceAllocation, ANoteOffForAnUnplayedNoteLeavesThirtyTwoHeldNotesAlone) {
    HostedSynth released;
    HostedSynth untouched;
    for (HostedSynth* synth : {&released, &untouched}) holdThirtyTwoNotes(*synth, 40);
    released.send({midiEvent(0x80, 100, 64, 10), midiEvent(0x90, 20, 0, 20)});
    const StereoBlock expected = untouched.renderBlocks(20, kBlock);
    EXPECT_TRUE(expected.soundsAt(20 * kBlock - 1));
    EXPECT_EQ(released.renderBlocks(20, kBlock), expected);
}

// A stolen low note's energy must not ring out through the high note's
// tuning: the steal is no louder than the chord was.
TEST(VoiceAllocation, AStolenVoiceStartsFromSilenceOnEveryProgram) {
    for (int32_t program = 0; program < 7; ++program) {
        HostedSynth synth;
        synth.dispatch(effSetProgram, 0, program);
        holdThirtyTwoNotes(synth, 0);
        const float chordPeak = peakOf(synth.renderBlocks(4, kBlock));
        synth.send({noteOn(120, 0, 127)});
        const StereoBlock afterSteal = synth.renderBlocks(8, kBlock);
        EXPECT_TRUE(afterSteal.allFinite());
        EXPECT_LT(peakOf(afterSteal), std::max(chordPeak, 0.25f)) << "program " << program;
    }
}

}  // namespace
