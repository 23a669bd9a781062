#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/instrument/HostedSynth.h"

namespace {

const char* const kExpectedNames[19] = {
    "Stick Hardness", "Strike Position", "Strike Gain", "Vibr Gain",  "Ratios",
    "Ratios",         "Ratios",          "Ratios",      "Resonance",  "Resonance",
    "Resonance",      "Resonance",       "Modal gain",  "Modal gain", "Modal gain",
    "Modal gain",     "Vibr Speed",      "Stereo Spread", "Vibr On/Off"};

std::string nameOrSentinel(HostedSynth& hosted, int32_t index) {
    char text[64] = "sentinel";
    hosted.dispatch(effGetParamName, index, 0, text);
    return text;
}

TEST(Parameters, EveryIndexHasItsNameAndTheSameLabel) {
    HostedSynth hosted;
    for (int32_t i = 0; i < 19; ++i) {
        EXPECT_EQ(nameOrSentinel(hosted, i), kExpectedNames[i]) << i;
        EXPECT_EQ(hosted.text(effGetParamLabel, i), " %  ");
    }
}

// A host shows whatever its buffer held when a query writes nothing.
TEST(Parameters, EveryTextQueryOutOfRangeAnswersAnEmptyText) {
    HostedSynth hosted;
    for (int32_t index : {19, -1, 1000, INT32_MIN}) {
        for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay}) {
            char text[64] = "sentinel";
            hosted.dispatch(opcode, index, 0, text);
            EXPECT_STREQ(text, "") << "opcode " << opcode << ", index " << index;
        }
        char name[64] = "sentinel";
        EXPECT_EQ(hosted.dispatch(effGetProgramNameIndexed, index, 0, name), 0);
        EXPECT_STREQ(name, "") << index;
    }
}

TEST(Parameters, DisplayIsTheStoredValueUnscaled) {
    HostedSynth hosted;
    hosted.setParameter(4, 0.25f);
    hosted.setParameter(17, 1.0f);
    hosted.setParameter(0, 0.0f);
    EXPECT_EQ(hosted.text(effGetParamDisplay, 4), "0.250000");
    EXPECT_EQ(hosted.text(effGetParamDisplay, 17), "1.000000");
    EXPECT_EQ(hosted.text(effGetParamDisplay, 0), "0.000000");
    EXPECT_EQ(hosted.text(effGetParamDisplay, 19), "");
}

TEST(Parameters, IndicesOutsideTheBankReadZeroAndWriteNothing) {
    HostedSynth hosted;
    float before[19];
    for (int32_t i = 0; i < 19; ++i) before[i] = hosted.getParameter(i);
    for (int32_t index : {19, -1, 1000, INT32_MIN}) hosted.setParameter(index, 0.77f);
    for (int32_t i = 0; i < 19; ++i) EXPECT_EQ(hosted.getParameter(i), before[i]);
    EXPECT_EQ(hosted.getParameter(19), 0.0f);
    EXPECT_EQ(hosted.getParameter(-1), 0.0f);
}

TEST(Parameters, ValuesOutsideZeroToOneAreClampedAndNaNIsIgnored) {
    HostedSynth hosted;
    hosted.setParameter(8, 5.0f);
    EXPECT_EQ(hosted.getParameter(8), 1.0f);
    hosted.setParameter(8, -0.5f);
    EXPECT_EQ(hosted.getParameter(8), 0.0f);
    hosted.setParameter(8, std::numeric_limits<float>::infinity());
    EXPECT_EQ(hosted.getParameter(8), 1.0f);
    hosted.setParameter(8, 0.3f);
    hosted.setParameter(8, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(hosted.getParameter(8), 0.3f);
}

// Renders a chord for a second after giving every parameter the value, with
// "Strike Position" (the output gain) kept audible.
StereoBlock chordWithAllParameters(float value) {
    HostedSynth hosted;
    for (int32_t i = 0; i < 19; ++i) hosted.setParameter(i, i == 1 ? 0.5f : value);
    hosted.dispatch(effSetBlockSize, 0, 512);
    hosted.send({noteOn(48), noteOn(60, 10), noteOn(72, 20), noteOn(96, 30)});
    return hosted.renderBlocks(86, 512);
}

TEST(Parameters, HostValuesBeyondTheRangeSoundExactlyLikeItsEnds) {
    const float huge = 1e9f;
    const float infinity = std::numeric_limits<float>::infinity();
    const StereoBlock top = chordWithAllParameters(1.0f);
    EXPECT_TRUE(top.allFinite());
    EXPECT_TRUE(top.soundsAt(44000));
    EXPECT_EQ(chordWithAllParameters(huge), top);
    EXPECT_EQ(chordWithAllParameters(infinity), top);
    const StereoBlock bottom = chordWithAllParameters(0.0f);
    EXPECT_TRUE(bottom.soundsAt(100));
    EXPECT_EQ(chordWithAllParameters(-huge), bottom);
    EXPECT_EQ(chordWithAllParameters(-infinity), bottom);
}

TEST(Parameters, NaNFromTheHostLeavesTheSoundUnchanged) {
    HostedSynth untouched;
    HostedSynth nanned;
    for (int32_t i = 0; i < 19; ++i) nanned.setParameter(i, std::nanf(""));
    for (HostedSynth* hosted : {&untouched, &nanned}) hosted->send({noteOn(60)});
    const StereoBlock expected = untouched.render(1024);
    EXPECT_TRUE(expected.soundsAt(10));
    EXPECT_EQ(nanned.render(1024), expected);
}

}  // namespace
