#include <algorithm>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "FactoryProgramValues.h"
#include "synth/VoicePool.h"

namespace {

constexpr int kSlots = VoicePool::kSlotCount;
constexpr int kStereoSpread = 17;

struct Stereo {
    std::vector<float> left;
    std::vector<float> right;
};

Stereo renderSlot(VoicePool& pool, int slot, int count)
{
    Stereo out{std::vector<float>(static_cast<std::size_t>(count)), std::vector<float>(static_cast<std::size_t>(count))};
    pool.renderSlot(slot, out.left.data(), out.right.data(), count);
    return out;
}

// A voice struck as the pool strikes it, to see what a slot should carry.
std::vector<float> soloVoice(int note, float frequency, int velocity, int count)
{
    StrikeVoice voice;
    applyProgram(voice, kMarimba);
    voice.strike(frequency, static_cast<float>(velocity * static_cast<double>(0.007874016f)), note);
    std::vector<float> out;
    for (int n = 0; n < count; ++n)
        out.push_back(voice.tick());
    return out;
}

std::unique_ptr<VoicePool> marimbaPool()
{
    auto pool = std::make_unique<VoicePool>();
    applyProgram(*pool, kMarimba);
    return pool;
}

}  // namespace

TEST(VoicePool, SameNoteWhileRingingStrikesItsSlotAgain)
{
    auto pool = marimbaPool();
    EXPECT_EQ(pool->noteOn(50, 100), 0);
    EXPECT_EQ(pool->noteOn(62, 100), 1);
    renderSlot(*pool, 1, 100);
    EXPECT_EQ(pool->noteOn(62, 80), kSlots);
    EXPECT_EQ(pool->getSlotNote(1), 62);
    EXPECT_FALSE(pool->isActive(2));
    EXPECT_EQ(pool->voice(1).getPulsePhase(), 0.0f);
}

TEST(VoicePool, ThirtyThirdNoteStealsTheSlotWithTheLowestNote)
{
    auto pool = marimbaPool();
    // Notes 40..71, the lowest (40) landing in slot 5.
    for (int slot = 0; slot < kSlots; ++slot)
        EXPECT_EQ(pool->noteOn(40 + (slot + 27) % kSlots, 100), slot);
    ASSERT_EQ(pool->getSlotNote(5), 40);

    EXPECT_EQ(pool->noteOn(90, 100), kSlots);
    EXPECT_EQ(pool->getSlotNote(5), 90);
    EXPECT_EQ(pool->getSlotPan(5), 90.0f / 128.0f);
    for (int slot = 0; slot < kSlots; ++slot)
        EXPECT_TRUE(pool->isActive(slot));

    EXPECT_EQ(pool->noteOn(20, 100), kSlots);
    EXPECT_EQ(pool->getSlotNote(6), 20);
}

TEST(VoicePool, NoteOffIsASilentStrikeThatKeepsTheNoteRinging)
{
    auto pool = marimbaPool();
    pool->setSampleRate(1000.0f);
    pool->noteOn(60, 100);
    renderSlot(*pool, 0, 1500);
    EXPECT_EQ(pool->noteOn(60, 0), kSlots);
    const Stereo after = renderSlot(*pool, 0, 1000);
    EXPECT_NE(after.left.back(), 0.0f);
    EXPECT_TRUE(pool->isActive(0));
}

TEST(VoicePool, NoteReleasedBeforeItsPulseWasPlayedStillSounds)
{
    auto struckOnly = marimbaPool();
    struckOnly->noteOn(60, 100);
    const Stereo expected = renderSlot(*struckOnly, 0, 2000);

    auto released = marimbaPool();
    released->noteOn(60, 100);
    EXPECT_EQ(released->noteOn(60, 0), kSlots);
    const Stereo heard = renderSlot(*released, 0, 2000);
    EXPECT_EQ(heard.left, expected.left);
    EXPECT_NE(*std::max_element(heard.left.begin(), heard.left.end()), 0.0f);

    auto cutMidPulse = marimbaPool();
    cutMidPulse->noteOn(60, 100);
    Stereo start = renderSlot(*cutMidPulse, 0, 10);
    cutMidPulse->noteOn(60, 0);
    const Stereo rest = renderSlot(*cutMidPulse, 0, 1990);
    start.left.insert(start.left.end(), rest.left.begin(), rest.left.end());
    EXPECT_EQ(start.left, expected.left);
}

TEST(VoicePool, NoteOffAfterThePulseAddsNoEnergy)
{
    auto struckOnly = marimbaPool();
    struckOnly->noteOn(60, 100);
    renderSlot(*struckOnly, 0, 500);
    const Stereo expected = renderSlot(*struckOnly, 0, 500);

    auto released = marimbaPool();
    released->noteOn(60, 100);
    renderSlot(*released, 0, 500);
    released->noteOn(60, 0);
    EXPECT_EQ(renderSlot(*released, 0, 500).left, expected.left);
}

TEST(VoicePool, FullSpreadPlacesEachNoteByItsNumber)
{
    auto pool = marimbaPool();
    pool->setParameter(kStereoSpread, 1.0f);
    pool->noteOn(0, 127);
    pool->noteOn(64, 127);
    pool->noteOn(127, 127);
    const std::vector<float> low = soloVoice(0, 8.18f, 127, 300);
    const std::vector<float> middle = soloVoice(64, 329.63f, 127, 300);
    const std::vector<float> high = soloVoice(127, 12543.85f, 127, 300);

    const Stereo lowOut = renderSlot(*pool, 0, 300);
    const Stereo middleOut = renderSlot(*pool, 1, 300);
    const Stereo highOut = renderSlot(*pool, 2, 300);
    for (std::size_t n = 0; n < 300; ++n) {
        ASSERT_EQ(lowOut.left[n], low[n]);
        ASSERT_EQ(lowOut.right[n], 0.0f);
        ASSERT_EQ(middleOut.left[n], middle[n] * 0.5f);
        ASSERT_EQ(middleOut.right[n], middle[n] * 0.5f);
        ASSERT_EQ(highOut.left[n], static_cast<float>(high[n] * 0.0078125));
        ASSERT_EQ(highOut.right[n], static_cast<float>(high[n] * 0.9921875));
    }
}

TEST(VoicePool, NoSpreadGivesEveryNoteFullGainOnBothSides)
{
    auto pool = marimbaPool();
    pool->setParameter(kStereoSpread, 0.0f);
    pool->noteOn(20, 90);
    const std::vector<float> solo = soloVoice(20, 25.96f, 90, 300);
    const Stereo out = renderSlot(*pool, 0, 300);
    EXPECT_EQ(out.left, solo);
    EXPECT_EQ(out.right, solo);
}

TEST(VoicePool, RenderingAddsIntoTheBuffers)
{
    auto pool = marimbaPool();
    pool->setParameter(kStereoSpread, 0.0f);
    pool->noteOn(60, 100);
    std::vector<float> left(64, 0.25f);
    std::vector<float> right(64, -0.25f);
    pool->renderSlot(0, left.data(), right.data(), 64);
    const std::vector<float> solo = soloVoice(60, 261.63f, 100, 64);
    for (std::size_t n = 0; n < 64; ++n) {
        ASSERT_EQ(left[n], 0.25f + solo[n]);
        ASSERT_EQ(right[n], -0.25f + solo[n]);
    }
}

TEST(VoicePool, VoiceFinishingMidBlockSoundsThroughItsLastSampleThenFreesItsSlot)
{
    auto pool = marimbaPool();
    pool->setSampleRate(1000.0f);
    pool->noteOn(60, 127);
    renderSlot(*pool, 0, 1990);
    ASSERT_TRUE(pool->isActive(0));
    // Sample 2001 after the strike is the last one: index 10 of this block.
    const Stereo block = renderSlot(*pool, 0, 20);
    EXPECT_NE(block.left[10], 0.0f);
    for (std::size_t n = 11; n < 20; ++n)
        EXPECT_EQ(block.left[n], 0.0f) << n;
    EXPECT_FALSE(pool->isActive(0));
    EXPECT_EQ(pool->noteOn(61, 100), 0);
}

TEST(VoicePool, AllNotesOffSilencesAtOnceAndTheNextNoteTakesSlotZero)
{
    auto pool = marimbaPool();
    pool->noteOn(60, 100);
    pool->noteOn(67, 100);
    pool->allNotesOff();
    EXPECT_FALSE(pool->isActive(0));
    EXPECT_FALSE(pool->isActive(1));
    const Stereo silent = renderSlot(*pool, 1, 50);
    EXPECT_EQ(silent.left, std::vector<float>(50, 0.0f));
    EXPECT_EQ(pool->noteOn(67, 100), 0);
}

TEST(VoicePool, ParametersReachIdleVoicesToo)
{
    auto pool = marimbaPool();
    pool->setParameter(1, 1.0f);
    for (int slot = 0; slot < kSlots; ++slot)
        EXPECT_NEAR(pool->voice(slot).getOutputGain(), 0.04f, 1e-9f);
    pool->setSampleRate(48000.0f);
    for (int slot = 0; slot < kSlots; ++slot)
        EXPECT_EQ(pool->voice(slot).getSampleRate(), 48000.0f);
}

TEST(VoicePool, OddRequestsAreHarmless)
{
    auto pool = marimbaPool();
    pool->noteOn(60, 100);
    std::vector<float> left(8, 0.0f);
    std::vector<float> right(8, 0.0f);
    pool->renderSlot(0, left.data(), right.data(), 0);
    pool->renderSlot(0, left.data(), right.data(), -5);
    pool->renderSlot(-1, left.data(), right.data(), 8);
    pool->renderSlot(kSlots, left.data(), right.data(), 8);
    pool->renderSlot(0, nullptr, nullptr, 8);
    EXPECT_EQ(left, std::vector<float>(8, 0.0f));
    EXPECT_EQ(pool->voice(0).getPulsePhase(), 0.0f);

    EXPECT_EQ(pool->noteOn(60 + 128, 100), kSlots);
    EXPECT_EQ(pool->noteOn(-1, 500), 1);
    EXPECT_EQ(pool->getSlotNote(1), 127);
    pool->setParameter(kStereoSpread, std::numeric_limits<float>::quiet_NaN());
    pool->setParameter(19, 1.0f);
    pool->setParameter(-1, 1.0f);
    const Stereo out = renderSlot(*pool, 1, 100);
    for (std::size_t n = 0; n < 100; ++n) {
        ASSERT_TRUE(std::isfinite(out.left[n]));
        ASSERT_EQ(out.left[n], out.right[n]);
    }
}
