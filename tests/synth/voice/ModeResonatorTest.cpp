#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "synth/voice/ModeResonator.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

ModeResonator makeMode(float frequency, float radius, float rate = 44100.0f)
{
    ModeResonator mode;
    mode.setSampleRate(rate);
    mode.tune(frequency, radius);
    mode.setZeros();
    return mode;
}

std::vector<float> impulseResponse(ModeResonator& mode, int count)
{
    std::vector<float> out;
    for (int n = 0; n < count; ++n)
        out.push_back(mode.tick(n == 0 ? 1.0f : 0.0f));
    return out;
}

float peakOf(const std::vector<float>& signal, std::size_t from, std::size_t to)
{
    float peak = 0.0f;
    for (std::size_t n = from; n < to; ++n)
        peak = std::max(peak, std::fabs(signal[n]));
    return peak;
}

std::vector<float> responseTo(ModeResonator& mode, float (*input)(int), int count)
{
    std::vector<float> out;
    for (int n = 0; n < count; ++n)
        out.push_back(mode.tick(input(n)));
    return out;
}

}  // namespace

TEST(ModeResonator, ImpulseResponseStartsWithOneThenTwiceRadiusTimesCosine)
{
    ModeResonator mode = makeMode(440.0f, 0.9996f);
    const std::vector<float> out = impulseResponse(mode, 2);
    EXPECT_EQ(out[0], 1.0f);
    EXPECT_NEAR(out[1], 2.0 * 0.9996 * std::cos(2.0 * kPi * 440.0 / 44100.0), 1e-6);
}

TEST(ModeResonator, ImpulseResponseRingsAtTunedFrequencyAndFallsByRadiusPerSample)
{
    const double radius = 0.9996;
    ModeResonator mode = makeMode(440.0f, static_cast<float>(radius));
    const std::vector<float> out = impulseResponse(mode, 20000);

    int upCrossings = 0;
    for (std::size_t n = 1001; n < 11001; ++n)
        upCrossings += out[n - 1] < 0.0f && out[n] >= 0.0f;
    EXPECT_NEAR(upCrossings * 44100.0 / 10000.0, 440.0, 4.5);

    // For a free two-pole oscillation y[n]^2 - 2 r cos(t) y[n] y[n-1] + r^2 y[n-1]^2
    // shrinks by exactly r^2 per sample, whatever the phase.
    const double twoRCos = 2.0 * radius * std::cos(2.0 * kPi * 440.0 / 44100.0);
    auto energy = [&](std::size_t n) {
        const double now = out[n];
        const double before = out[n - 1];
        return now * now - twoRCos * now * before + radius * radius * before * before;
    };
    const std::size_t start = 100;
    const std::size_t span = 10000;
    const double perSample = std::pow(energy(start + span) / energy(start), 0.5 / span);
    EXPECT_NEAR(perSample, radius, 2e-6);
}

TEST(ModeResonator, ZeroAtDcTakesAConstantInputDown)
{
    ModeResonator mode = makeMode(440.0f, 0.9996f);
    const std::vector<float> out = responseTo(mode, [](int) { return 1.0f; }, 100000);
    const float early = peakOf(out, 0, 2000);
    const float late = peakOf(out, 90000, 100000);
    // Float state leaves a small residual instead of an exact 0.
    EXPECT_LT(late, early * 1e-3f);
    EXPECT_LT(late, 1e-3f);
}

TEST(ModeResonator, ZeroAtNyquistTakesAnAlternatingInputDown)
{
    ModeResonator mode = makeMode(440.0f, 0.9996f);
    const std::vector<float> out = responseTo(mode, [](int n) { return n % 2 == 0 ? 1.0f : -1.0f; }, 100000);
    const float early = peakOf(out, 0, 2000);
    const float late = peakOf(out, 90000, 100000);
    EXPECT_LT(late, early * 1e-3f);
    EXPECT_LT(late, 1e-3f);
}

TEST(ModeResonator, TinyStateIsFlushedToZeroButSmallStateSurvives)
{
    // With the coefficients just after reset plus the zeros, the output is
    // the input minus the internal value of two samples before.
    auto thirdOutputAfter = [](float value) {
        ModeResonator mode;
        mode.setZeros();
        mode.tick(value);
        mode.tick(0.0f);
        return mode.tick(0.0f);
    };
    EXPECT_EQ(thirdOutputAfter(1e-40f), 0.0f);
    EXPECT_NEAR(thirdOutputAfter(1e-20f), -1e-20f, 1e-27f);
}

TEST(ModeResonator, UnusableTuningKeepsThePreviousStableCoefficients)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    ModeResonator mode = makeMode(440.0f, 0.9996f);
    const float feedback1 = mode.getFeedback1();
    const float feedback2 = mode.getFeedback2();

    mode.tune(nan, 0.99f);
    mode.tune(infinity, 0.99f);
    mode.tune(440.0f, nan);
    mode.setSampleRate(0.0f);
    mode.tune(440.0f, 0.99f);
    EXPECT_EQ(mode.getFeedback1(), feedback1);
    EXPECT_EQ(mode.getFeedback2(), feedback2);

    mode.setSampleRate(44100.0f);
    const std::vector<float> out = impulseResponse(mode, 1000);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float x) { return std::isfinite(x); }));
}

TEST(ModeResonator, FrequencyAboveHalfTheRateRingsAtItsAlias)
{
    ModeResonator above = makeMode(44100.0f - 440.0f, 0.9996f);
    ModeResonator alias = makeMode(440.0f, 0.9996f);
    EXPECT_NEAR(above.getFeedback1(), alias.getFeedback1(), 1e-6f);
    ModeResonator negative = makeMode(-440.0f, 0.9996f);
    EXPECT_EQ(negative.getFeedback1(), alias.getFeedback1());
}
