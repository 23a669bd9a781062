#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "synth/voice/VibratoOscillator.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

TEST(VibratoOscillator, FirstTickReadsOneEntryAheadOfItsPhase)
{
    VibratoOscillator oscillator;
    oscillator.setSampleRate(8192.0f);
    oscillator.setRate(1.0f);
    ASSERT_EQ(oscillator.getIncrement(), 0.5f);
    EXPECT_NEAR(oscillator.tick(), 1.5 * std::sin(kTwoPi / 4096.0), 1e-10);
    EXPECT_EQ(oscillator.getPhase(), 0.5f);
}

TEST(VibratoOscillator, WrapsPastTheEndOfThePeriodAndStaysAContinuousSine)
{
    VibratoOscillator oscillator;
    oscillator.setSampleRate(44100.0f);
    oscillator.setRate(40.0f);
    const double increment = oscillator.getIncrement();
    float previousPhase = oscillator.getPhase();
    int wraps = 0;
    for (int n = 0; n < 5000; ++n) {
        const float value = oscillator.tick();
        const float phase = oscillator.getPhase();
        ASSERT_GE(phase, 0.0f);
        ASSERT_LT(phase, 4096.0f);
        double step = static_cast<double>(phase) - previousPhase;
        if (step < 0.0) {
            step += 4096.0;
            ++wraps;
        }
        ASSERT_NEAR(step, increment, 1e-3) << n;
        ASSERT_NEAR(value, std::sin(kTwoPi * (phase + 1.0) / 4096.0), 1e-5) << n;
        previousPhase = phase;
    }
    EXPECT_EQ(wraps, 4);
}

TEST(VibratoOscillator, NegativeRateRunsBackwardsWithinThePeriod)
{
    VibratoOscillator oscillator;
    oscillator.setSampleRate(44100.0f);
    oscillator.setRate(-40.0f);
    for (int n = 0; n < 3000; ++n) {
        const float value = oscillator.tick();
        ASSERT_GE(oscillator.getPhase(), 0.0f);
        ASSERT_LT(oscillator.getPhase(), 4096.0f);
        ASSERT_NEAR(value, std::sin(kTwoPi * (oscillator.getPhase() + 1.0) / 4096.0), 1e-5);
    }
}

TEST(VibratoOscillator, UnusableRatesGiveFiniteOutput)
{
    const float infinity = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float rates[][2] = {{0.0f, 6.0f}, {0.0f, 0.0f}, {nan, 6.0f}, {44100.0f, nan},
                              {44100.0f, infinity}, {1e-30f, 40.0f}, {44100.0f, 1e9f}};
    for (const auto& rate : rates) {
        VibratoOscillator oscillator;
        oscillator.setSampleRate(rate[0]);
        oscillator.setRate(rate[1]);
        for (int n = 0; n < 100; ++n) {
            const float value = oscillator.tick();
            ASSERT_TRUE(std::isfinite(value)) << rate[0] << " Hz rate, " << rate[1] << " Hz";
            ASSERT_LE(std::fabs(value), 1.01f);
        }
    }
}
