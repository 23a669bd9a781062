#include <gtest/gtest.h>

#include <cmath>

#include "tests/synth/FactoryProgramValues.h"
#include "synth/voice/StrikeVoice.h"
#include "synth/voice/WaveTables.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kStickHardness = 0;
constexpr int kStrikeGain = 2;
constexpr int kVibratoGain = 3;
constexpr int kLastRatio = 7;
constexpr int kFirstResonance = 8;
constexpr int kLastResonance = 11;
constexpr int kVibratoSpeed = 16;
constexpr int kVibratoSwitch = 18;

// Samples on which the strike pulse is read before it is over.
int pulseReads(StrikeVoice& voice)
{
    int reads = 0;
    for (voice.tick(); voice.getPulsePhase() < 256.0f; voice.tick())
        ++reads;
    return reads;
}

float feedback1For(float frequency, float radius, float rate = 44100.0f)
{
    ModeResonator reference;
    reference.setSampleRate(rate);
    reference.tune(frequency, radius);
    return reference.getFeedback1();
}

StrikeVoice& withPulseSettings(StrikeVoice& voice, float hardness, float strikeGain)
{
    voice.setParameter(kStickHardness, hardness);
    voice.setParameter(kStrikeGain, strikeGain);
    return voice;
}

}  // namespace

TEST(StrikeVoice, MarimbaAtMiddleCMatchesTheWorkedExample)
{
    StrikeVoice voice;
    applyProgram(voice, kMarimba);
    voice.strike(261.63f, 100.0f / 127.0f, 60);

    const double ratios[] = {1.0, 2.59467, 6.14667, 8.66773};
    const double frequencies[] = {261.63, 678.84, 1608.15, 2267.74};
    const double radii[] = {0.999608, 0.999418, 0.999418, 0.999050};
    const double gains[] = {0.364, 0.264, 0.164, 0.164};
    for (int mode = 0; mode < StrikeVoice::kModeCount; ++mode) {
        SCOPED_TRACE(mode);
        EXPECT_NEAR(voice.getRatio(mode), ratios[mode], 1e-5);
        EXPECT_NEAR(voice.getRadius(mode), radii[mode], 1e-6);
        EXPECT_NEAR(voice.getResonator(mode).getGain(), gains[mode], 1e-6);
        const double tuned = 2.0 * radii[mode] * std::cos(kTwoPi * frequencies[mode] / 44100.0);
        EXPECT_NEAR(voice.getResonator(mode).getFeedback1(), tuned, 2e-6);
    }
    EXPECT_NEAR(voice.getOutputGain(), 0.0178125, 1e-7);
    EXPECT_NEAR(voice.getPulseIncrement(), 4.15533, 1e-5);
    EXPECT_NEAR(voice.getResonator(0).getFeedback1(), 1.99783, 1e-5);
    EXPECT_NEAR(voice.getResonator(0).getFeedback2(), -0.999215, 1e-6);
}

TEST(StrikeVoice, MarimbaPulseLastsAbout1point39MsAndEndsSlightlyNegative)
{
    StrikeVoice voice;
    applyProgram(voice, kMarimba);
    voice.strike(261.63f, 1.0f, 60);
    EXPECT_NEAR(255.0 / voice.getPulseIncrement() / 44.1, 1.39, 0.005);

    voice.tick();
    EXPECT_EQ(voice.getPulsePhase(), voice.getPulseIncrement());
    int reads = 1;
    float lastPosition = voice.getPulsePhase();
    for (voice.tick(); voice.getPulsePhase() < 256.0f; voice.tick()) {
        lastPosition = voice.getPulsePhase();
        ++reads;
    }
    EXPECT_EQ(reads, 61);
    StrikePulseTable pulse;
    const double lastSample = readTable(pulse.entries(), lastPosition);
    EXPECT_LT(lastSample, 0.0);
    EXPECT_GT(lastSample, -0.01);
}

// Below 44.1 kHz a pulse shorter than the hardest one there would step past
// the table's end before its first read: the hardest strike at any lower rate
// reads the pulse as the one at 44.1 kHz does, and sounds.
TEST(StrikeVoice, HardestStrikeSoundsAtLowRatesAsAt44100)
{
    StrikeVoice reference;
    withPulseSettings(reference, 0.0f, 1.0f).strike(440.0f, 1.0f, 60);
    for (float rate : {32000.0f, 22050.0f, 8000.0f, 1000.0f}) {
        SCOPED_TRACE(rate);
        StrikeVoice voice;
        voice.setSampleRate(rate);
        withPulseSettings(voice, 0.0f, 1.0f).strike(440.0f, 1.0f, 60);
        EXPECT_EQ(voice.getPulseIncrement(), reference.getPulseIncrement());
        EXPECT_NE(voice.tick(), 0.0f);
    }
}

TEST(StrikeVoice, PulseLengthFollowsStrikeGainAndStickHardness)
{
    StrikeVoice hardest;
    withPulseSettings(hardest, 0.0f, 1.0f).strike(440.0f, 1.0f, 60);
    EXPECT_NEAR(hardest.getPulseIncrement(), 192.7, 0.05);
    EXPECT_EQ(pulseReads(hardest), 1);

    StrikeVoice softest;
    withPulseSettings(softest, 0.0f, 0.0f).strike(440.0f, 1.0f, 60);
    EXPECT_NEAR(softest.getPulseIncrement(), 2.2855, 1e-4);
    EXPECT_EQ(pulseReads(softest), 112);

    StrikeVoice lowNote;
    withPulseSettings(lowNote, 1.0f, 0.3f).strike(8.18f, 1.0f, 0);
    EXPECT_NEAR(255.0 / lowNote.getPulseIncrement() / 44.1, 2.53, 1e-3);

    StrikeVoice highNote;
    withPulseSettings(highNote, 1.0f, 0.3f).strike(12543.85f, 1.0f, 127);
    EXPECT_NEAR(255.0 / highNote.getPulseIncrement() / 44.1, 0.05, 1e-3);
    EXPECT_EQ(pulseReads(highNote), 2);
}

TEST(StrikeVoice, FoldedRatioStaysFoldedUntilRatiosIsSetAgain)
{
    StrikeVoice voice;
    voice.setParameter(kLastRatio, 1.0f);
    EXPECT_EQ(voice.getRatio(3), 9.0f);

    voice.strike(12543.85f, 1.0f, 127);
    EXPECT_EQ(voice.getRatio(3), 1.125f);
    EXPECT_NEAR(1.125 * 12543.85, 14111.8, 0.05);

    voice.strike(261.63f, 1.0f, 60);
    EXPECT_EQ(voice.getRatio(3), 1.125f);
    EXPECT_EQ(voice.getResonator(3).getFeedback1(), feedback1For(1.125f * 261.63f, voice.getRadius(3)));

    voice.setParameter(kLastRatio, 1.0f);
    EXPECT_EQ(voice.getRatio(3), 9.0f);
    EXPECT_EQ(voice.getResonator(3).getFeedback1(), feedback1For(9.0f * 261.63f, voice.getRadius(3)));
}

TEST(StrikeVoice, RatiosChangeRetunesARingingModeAtOnceEvenAboveHalfTheRate)
{
    StrikeVoice voice;
    voice.strike(12543.85f, 1.0f, 127);
    for (int n = 0; n < 100; ++n)
        voice.tick();
    voice.setParameter(kLastRatio, 1.0f);
    EXPECT_EQ(voice.getRatio(3), 1.125f);
    const auto unfolded = static_cast<float>(9.0 * 12543.85f);
    EXPECT_EQ(voice.getResonator(3).getFeedback1(), feedback1For(unfolded, voice.getRadius(3)));
    EXPECT_NE(voice.tick(), 0.0f);
}

TEST(StrikeVoice, ResonanceChangeSetsRadiusAndRetunesAtTheRatioBeforeFolding)
{
    StrikeVoice voice;
    voice.setParameter(kFirstResonance, 1.0f);
    EXPECT_NEAR(voice.getRadius(0), 0.9999, 1e-7);
    voice.setParameter(kLastResonance, 0.0f);
    EXPECT_NEAR(voice.getRadius(3), 0.995, 1e-7);
    EXPECT_NEAR(voice.getResonator(3).getFeedback2(), -0.995 * 0.995, 1e-7);

    // A lower rate after the strike leaves mode 0 above the new half rate.
    voice.strike(12543.85f, 1.0f, 127);
    voice.setSampleRate(16000.0f);
    voice.setParameter(kFirstResonance, 0.5f);
    EXPECT_EQ(voice.getRatio(0), 0.5f);
    EXPECT_NEAR(voice.getRadius(0), 0.996225, 1e-7);
    EXPECT_EQ(voice.getResonator(0).getFeedback1(), feedback1For(12543.85f, voice.getRadius(0), 16000.0f));
}

TEST(StrikeVoice, NegativeRatioStandsForAFixedFrequency)
{
    StrikeVoice voice;
    voice.strike(100.0f, 1.0f, 40);
    EXPECT_EQ(voice.getRatio(3), -2443.0f);
    EXPECT_EQ(voice.getResonator(3).getFeedback1(), feedback1For(2443.0f, voice.getRadius(3)));
}

TEST(StrikeVoice, VibratoDepthIsTheGainWhileSwitchedOnWhateverTheOrder)
{
    StrikeVoice voice;
    voice.setParameter(kVibratoSwitch, 0.0f);
    voice.setParameter(kVibratoGain, 0.3f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.0f);  // the gain alone never switches it on
    voice.setParameter(kVibratoSwitch, 0.5f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.3f);
    voice.setParameter(kVibratoGain, 0.4f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.4f);
    voice.setParameter(kVibratoSwitch, 0.2f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.0f);
    voice.setParameter(kVibratoSwitch, 0.5f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.4f);
    voice.setParameter(kVibratoSwitch, 0.0f);
    voice.setParameter(kVibratoGain, 0.6f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.0f);
    voice.setParameter(kVibratoSwitch, 0.49f);
    voice.setParameter(kVibratoSwitch, 1.0f);
    EXPECT_EQ(voice.getVibratoDepth(), 0.6f);
}

TEST(StrikeVoice, FullVibratoSwingsTheLevelBetweenSilenceAndDouble)
{
    StrikeVoice plain;
    StrikeVoice modulated;
    modulated.setParameter(kVibratoSpeed, 1.0f);
    modulated.setParameter(kVibratoGain, 1.0f);
    modulated.setParameter(kVibratoSwitch, 1.0f);
    plain.strike(261.63f, 1.0f, 60);
    modulated.strike(261.63f, 1.0f, 60);
    double lowest = 2.0;
    double highest = 0.0;
    for (int n = 0; n < 2205; ++n) {
        const double unmodulated = plain.tick();
        const double level = modulated.tick();
        if (std::fabs(unmodulated) < 1e-4)
            continue;
        const double gain = level / unmodulated;
        ASSERT_GE(gain, -1e-4);
        ASSERT_LE(gain, 2.0001);
        lowest = std::min(lowest, gain);
        highest = std::max(highest, gain);
    }
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 1.99);
}

TEST(StrikeVoice, VibratoAdvancesOnlyWhileItModulates)
{
    StrikeVoice voice;
    voice.strike(440.0f, 1.0f, 69);
    for (int n = 0; n < 10; ++n)
        voice.tick();
    EXPECT_EQ(voice.getVibrato().getPhase(), 0.0f);
    voice.setParameter(kVibratoGain, 0.5f);
    voice.setParameter(kVibratoSwitch, 1.0f);
    for (int n = 0; n < 10; ++n)
        voice.tick();
    EXPECT_NEAR(voice.getVibrato().getPhase(), 10.0 * 4096.0 * 6.0 / 44100.0, 1e-4);
}

TEST(StrikeVoice, NewSampleRateKeepsTheVibratoSpeedRate)
{
    StrikeVoice fresh;
    fresh.setSampleRate(48000.0f);
    EXPECT_FLOAT_EQ(fresh.getVibrato().getIncrement(), 4096.0f * 6.0f / 48000.0f);

    StrikeVoice voice;
    voice.setParameter(kVibratoSpeed, 0.5f);
    voice.setSampleRate(48000.0f);
    EXPECT_FLOAT_EQ(voice.getVibrato().getIncrement(), 4096.0f * 20.0f / 48000.0f);
    voice.setSampleRate(96000.0f);
    EXPECT_FLOAT_EQ(voice.getVibrato().getIncrement(), 4096.0f * 20.0f / 96000.0f);
}

TEST(StrikeVoice, NewSampleRateReachesTuningOnlyAtTheNextStrike)
{
    StrikeVoice voice;
    voice.strike(440.0f, 1.0f, 69);
    const float before = voice.getResonator(0).getFeedback1();
    voice.setSampleRate(22050.0f);
    EXPECT_EQ(voice.getResonator(0).getFeedback1(), before);
    voice.strike(440.0f, 1.0f, 69);
    EXPECT_EQ(voice.getResonator(0).getFeedback1(), feedback1For(440.0f, voice.getRadius(0), 22050.0f));
}

TEST(StrikeVoice, FinishesTwoSecondsAfterItsLastStrikeOnTheSampleItReturns)
{
    StrikeVoice voice;
    EXPECT_TRUE(voice.isFinished());
    voice.setSampleRate(1000.0f);
    voice.strike(261.63f, 1.0f, 60);
    EXPECT_FALSE(voice.isFinished());
    for (int n = 0; n < 2000; ++n)
        voice.tick();
    EXPECT_FALSE(voice.isFinished());
    EXPECT_NE(voice.tick(), 0.0f);
    EXPECT_TRUE(voice.isFinished());

    voice.strike(261.63f, 0.0f, 60);
    EXPECT_FALSE(voice.isFinished());
    EXPECT_NE(voice.tick(), 0.0f);
}
