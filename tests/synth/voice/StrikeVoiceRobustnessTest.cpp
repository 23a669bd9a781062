#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/synth/FactoryProgramValues.h"
#include "synth/voice/StrikeVoice.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

std::vector<float> render(StrikeVoice& voice, int count)
{
    std::vector<float> out;
    for (int n = 0; n < count; ++n)
        out.push_back(voice.tick());
    return out;
}

bool allFinite(const std::vector<float>& samples)
{
    for (float sample : samples) {
        if (!std::isfinite(sample))
            return false;
    }
    return true;
}

}  // namespace

TEST(StrikeVoiceRobustness, UnusableSampleRatesAreIgnored)
{
    StrikeVoice reference;
    StrikeVoice voice;
    applyProgram(reference, kVibraphone);
    applyProgram(voice, kVibraphone);
    for (float rate : {0.0f, -44100.0f, kNan, kInfinity, -kInfinity, 0.5f, 1e-30f})
        voice.setSampleRate(rate);
    EXPECT_EQ(voice.getSampleRate(), 44100.0f);
    reference.strike(440.0f, 1.0f, 69);
    voice.strike(440.0f, 1.0f, 69);
    EXPECT_EQ(render(voice, 3000), render(reference, 3000));
}

TEST(StrikeVoiceRobustness, ExtremeButUsableSampleRatesStayFinite)
{
    for (float rate : {1.0f, 3.0f, FLT_MAX}) {
        SCOPED_TRACE(rate);
        StrikeVoice voice;
        voice.setSampleRate(rate);
        applyProgram(voice, kVibraphone);
        voice.strike(12543.85f, 1.0f, 127);
        EXPECT_TRUE(allFinite(render(voice, 500)));
    }
}

TEST(StrikeVoiceRobustness, NonFiniteStrikeFrequencyStrikesAtThePreviousOne)
{
    StrikeVoice reference;
    StrikeVoice voice;
    reference.strike(261.63f, 1.0f, 60);
    voice.strike(261.63f, 1.0f, 60);
    render(reference, 100);
    render(voice, 100);
    reference.strike(261.63f, 0.5f, 62);
    voice.strike(kNan, 0.5f, 62);
    EXPECT_EQ(voice.getBaseFrequency(), 261.63f);
    EXPECT_EQ(render(voice, 1000), render(reference, 1000));
    voice.strike(kInfinity, 0.5f, 62);
    voice.strike(-kInfinity, 0.5f, 62);
    EXPECT_EQ(voice.getBaseFrequency(), 261.63f);
}

TEST(StrikeVoiceRobustness, OddStrikeFrequenciesAndNotesGiveFiniteSound)
{
    const float frequencies[] = {0.0f, -440.0f, 1e30f, -1e30f, FLT_MAX, -FLT_MAX, FLT_MIN};
    const int notes[] = {0, 127, -1000, 100000};
    for (float frequency : frequencies) {
        for (int note : notes) {
            SCOPED_TRACE(testing::Message() << frequency << " Hz, note " << note);
            StrikeVoice voice;
            applyProgram(voice, kMarimba);
            voice.setParameter(0, 1.0f);
            voice.strike(frequency, 1.0f, note);
            EXPECT_TRUE(allFinite(render(voice, 300)));
        }
    }
}

TEST(StrikeVoiceRobustness, ParameterValuesOutsideZeroToOneAreHeldAtTheNearerEnd)
{
    for (int index = 0; index < 19; ++index) {
        SCOPED_TRACE(index);
        StrikeVoice low;
        StrikeVoice clampedLow;
        StrikeVoice high;
        StrikeVoice clampedHigh;
        low.setParameter(index, -3.0f);
        clampedLow.setParameter(index, 0.0f);
        high.setParameter(index, 1e30f);
        clampedHigh.setParameter(index, 1.0f);
        for (StrikeVoice* voice : {&low, &clampedLow, &high, &clampedHigh})
            voice->strike(440.0f, 1.0f, 69);
        EXPECT_EQ(render(low, 400), render(clampedLow, 400));
        EXPECT_EQ(render(high, 400), render(clampedHigh, 400));
    }
}

TEST(StrikeVoiceRobustness, NonFiniteParameterValuesGiveFiniteSound)
{
    for (float value : {kNan, kInfinity, -kInfinity}) {
        StrikeVoice voice;
        for (int index = 0; index < 19; ++index)
            voice.setParameter(index, value);
        voice.strike(440.0f, 1.0f, 69);
        EXPECT_TRUE(allFinite(render(voice, 5000))) << value;
    }
}
