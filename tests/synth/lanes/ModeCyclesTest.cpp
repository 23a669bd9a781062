// A record of the cycles a voice's modes ring in gives the voice's own
// samples and states, for as long as the voice is where the record says, and
// only then.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

#include "tests/synth/FactoryProgramValues.h"
#include "synth/ParameterIndex.h"
#include "synth/lanes/ModeCycles.h"
#include "synth/voice/StrikeVoice.h"

namespace {

uint32_t bitsOf(float value)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Modes apart (the woodblock's), the vibrato off so that a sample is the
// modes' sum times the output gain.
std::unique_ptr<StrikeVoice> woodblockVoice()
{
    auto voice = std::make_unique<StrikeVoice>();
    applyProgram(*voice, kWoodblock);
    voice->setParameter(kVibratoSwitch, 0.0f);
    voice->strike(110.0f, 0.8f, 45);
    return voice;
}

void tickFor(StrikeVoice& voice, int32_t samples)
{
    for (int32_t i = 0; i < samples; ++i)
        voice.tick();
}

void expectSameModes(const VoiceState& expected, const VoiceState& actual, int32_t round)
{
    for (int32_t mode = 0; mode < ModeCycles::kModes; ++mode) {
        const ModeState& a = expected.modes[mode];
        const ModeState& b = actual.modes[mode];
        EXPECT_TRUE(bitsOf(a.state0) == bitsOf(b.state0) && bitsOf(a.state1) == bitsOf(b.state1)
            && bitsOf(a.output) == bitsOf(b.output))
            << "mode " << mode << ", round " << round;
    }
}

VoiceState zeroVoice()
{
    StrikeVoice voice;
    VoiceState state = voice.snapshot();
    for (ModeState& mode : state.modes)
        mode.state0 = mode.state1 = mode.output = 0.0f;
    state.pulsePhase = 300.0f;
    state.pulseIncrement = 2.0f;
    state.amplitude = 0.5f;
    return state;
}

}  // namespace

TEST(ModeCycles, RecordedCyclesGiveTheVoicesOwnSamplesAndStates)
{
    auto voice = woodblockVoice();
    tickFor(*voice, 40000);
    const VoiceState start = voice->snapshot();
    ASSERT_TRUE(ModeCycles::mayBeCycling(start));
    auto cycles = std::make_unique<ModeCycles>();
    ASSERT_TRUE(cycles->record(start));
    const auto gain = static_cast<double>(voice->getOutputGain());
    std::vector<float> sums(ModeCycles::kLongestRead);
    int32_t round = 0;
    // Reads of every length, through many periods of every mode.
    for (int32_t length : {1, 256, 7, 100, 255, 13, 256, 64, 3, 256, 200}) {
        VoiceState state = voice->snapshot();
        ASSERT_TRUE(cycles->follows(state)) << "round " << round;
        cycles->writeSums(sums.data(), length);
        for (int32_t i = 0; i < length; ++i) {
            const float sample = voice->tick();
            ASSERT_EQ(bitsOf(static_cast<float>(sums[static_cast<std::size_t>(i)] * gain)), bitsOf(sample))
                << "sample " << i << " of round " << round;
        }
        cycles->advance(state, length);
        expectSameModes(voice->snapshot(), state, round++);
    }
}

TEST(ModeCycles, SilentModesAreACycleOfOneSilentSample)
{
    VoiceState state = zeroVoice();
    ASSERT_TRUE(ModeCycles::mayBeCycling(state));
    auto cycles = std::make_unique<ModeCycles>();
    ASSERT_TRUE(cycles->record(state));
    std::vector<float> sums(ModeCycles::kLongestRead, 1.0f);
    cycles->writeSums(sums.data(), 37);
    for (int32_t i = 0; i < 37; ++i)
        EXPECT_EQ(bitsOf(sums[static_cast<std::size_t>(i)]), 0u) << "sample " << i;
    cycles->advance(state, 37);
    expectSameModes(zeroVoice(), state, 0);
    EXPECT_TRUE(cycles->follows(state));
}

// A strike, a new tuning or gain, a drive of another sign and a state moved
// elsewhere each take the voice off its record.
TEST(ModeCycles, RecordsFollowOnlyTheVoiceAsRecorded)
{
    auto cycles = std::make_unique<ModeCycles>();
    const VoiceState recorded = zeroVoice();
    ASSERT_TRUE(cycles->record(recorded));
    const auto changed = [&cycles, &recorded](void (*change)(VoiceState&)) {
        VoiceState state = recorded;
        change(state);
        return cycles->follows(state);
    };
    EXPECT_TRUE(changed([](VoiceState&) {}));
    EXPECT_FALSE(changed([](VoiceState& v) { v.pulsePhase = 0.0f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.pulseIncrement = -1.0f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.amplitude = -0.5f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.modes[2].gain *= 2.0f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.modes[1].feedback1 = 1.5f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.modes[3].feedforward1 = 0.5f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.modes[0].state0 = -0.0f; }));
    EXPECT_FALSE(changed([](VoiceState& v) { v.modes[3].state1 = 1e-30f; }));
    // Past a voice whose settings changed, the record is forgotten.
    cycles->forget();
    EXPECT_FALSE(cycles->follows(recorded));
}

// Struck, the voice is no candidate; dying into the flushed range, its
// modes still fall for a while before they settle.
TEST(ModeCycles, DyingModesHaveNoCycleYet)
{
    auto voice = woodblockVoice();
    tickFor(*voice, 100);
    EXPECT_FALSE(ModeCycles::mayBeCycling(voice->snapshot()));
    auto cycles = std::make_unique<ModeCycles>();
    EXPECT_FALSE(cycles->record(voice->snapshot()));
    while (!ModeCycles::mayBeCycling(voice->snapshot()))
        voice->tick();
    EXPECT_FALSE(cycles->record(voice->snapshot()));
    EXPECT_FALSE(cycles->follows(voice->snapshot()));
}
