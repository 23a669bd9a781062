#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "synth/voice/StrikeVoice.h"
#include "synth/voice/VibratoOscillator.h"
#include "synth/voice/WaveTables.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

TEST(WaveTables, StrikePulseIsOneRaisedCosinePeriodWithItsFirstEntryRepeated)
{
    StrikePulseTable use;
    const float* pulse = use.entries();
    ASSERT_NE(pulse, nullptr);
    EXPECT_EQ(pulse[0], 0.0f);
    EXPECT_EQ(pulse[256], pulse[0]);
    EXPECT_GT(pulse[127], 1.999f);
    EXPECT_GT(pulse[128], 1.999f);
    for (int i = 0; i < 256; ++i) {
        EXPECT_NEAR(pulse[i], 1.0 - std::cos(kTwoPi * i / 255.0), 2e-5) << i;
        EXPECT_GE(pulse[i], 0.0f) << i;
        EXPECT_LE(pulse[i], 2.0f) << i;
    }
}

TEST(WaveTables, SineIsOnePeriodStartingAtExactlyZero)
{
    SineTable use;
    const float* sine = use.entries();
    ASSERT_NE(sine, nullptr);
    EXPECT_EQ(sine[0], 0.0f);
    EXPECT_NEAR(sine[1024], 1.0f, 1e-7f);
    EXPECT_NEAR(sine[3072], -1.0f, 1e-7f);
    for (int i = 0; i < SineTable::kLength; ++i)
        EXPECT_NEAR(sine[i], std::sin(kTwoPi * i / 4096.0), 2e-7) << i;
}

TEST(WaveTables, ReadRunsOneEntryAheadAndExtendsTheLineBeyondIt)
{
    const float table[] = {0.0f, 10.0f, 30.0f, 60.0f};
    EXPECT_EQ(readTable(table, 0.0f), 10.0);
    EXPECT_EQ(readTable(table, 1.0f), 30.0);
    EXPECT_EQ(readTable(table, 1.5f), 40.0);
    EXPECT_EQ(readTable(table, 2.25f), 67.5);
}

TEST(WaveTables, TwoUsersShareOneTableFreedOnceAndMadeAnewForAThird)
{
    ASSERT_EQ(StrikePulseTable::useCount(), 0);
    const int32_t createdBefore = StrikePulseTable::timesCreated();
    {
        StrikeVoice first;
        StrikeVoice second;
        EXPECT_EQ(StrikePulseTable::useCount(), 2);
        EXPECT_EQ(StrikePulseTable::timesCreated(), createdBefore + 1);
    }
    EXPECT_EQ(StrikePulseTable::useCount(), 0);
    StrikeVoice third;
    EXPECT_EQ(StrikePulseTable::useCount(), 1);
    EXPECT_EQ(StrikePulseTable::timesCreated(), createdBefore + 2);
}

TEST(WaveTables, SineTableIsSharedByOscillatorsAndFreedWithTheLast)
{
    ASSERT_EQ(SineTable::useCount(), 0);
    const int32_t createdBefore = SineTable::timesCreated();
    {
        VibratoOscillator first;
        VibratoOscillator second;
        EXPECT_EQ(SineTable::useCount(), 2);
    }
    EXPECT_EQ(SineTable::useCount(), 0);
    EXPECT_EQ(SineTable::timesCreated(), createdBefore + 1);
}

TEST(WaveTables, InstancesMadeAndDroppedOnManyThreadsKeepTablesIntact)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 150;
    SineTable reference;
    const std::vector<float> expectedSine(reference.entries(), reference.entries() + SineTable::kLength);
    std::atomic<int> damaged{0};
    auto churn = [&] {
        for (int round = 0; round < kRounds; ++round) {
            auto voice = std::make_unique<StrikeVoice>();
            StrikePulseTable pulse;
            SineTable sine;
            if (pulse.entries() == nullptr || pulse.entries()[128] < 1.999f || pulse.entries()[256] != 0.0f)
                ++damaged;
            if (sine.entries() != reference.entries()
                || !std::equal(expectedSine.begin(), expectedSine.end(), sine.entries()))
                ++damaged;
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(churn);
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(damaged.load(), 0);
    EXPECT_EQ(StrikePulseTable::useCount(), 0);
    EXPECT_EQ(SineTable::useCount(), 1);
}
