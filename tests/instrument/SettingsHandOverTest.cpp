// A host that calls everything from one thread must hear what it would hear
// if every change reached the engine at once, in call order: the instrument
// is compared with a voice pool driven directly.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "instrument/FactoryPrograms.h"
#include "tests/instrument/HostedSynth.h"

namespace {

// The engine as a host's calls would drive it without any hand-over.
class DirectEngine {
public:
    DirectEngine() {
        for (int32_t p = 0; p < 7; ++p) buildFactoryProgram(bank[p], p);
        setProgram(0);
    }
    void setParameter(int32_t index, float value) {
        bank[current].values[index] = value;
        pool.setParameter(index, value);
    }
    void setProgram(int32_t program) {
        current = program;
        for (int32_t i = 0; i < 19; ++i) setParameter(i, bank[program].values[i]);
    }
    void setSampleRate(float rate) { pool.setSampleRate(rate); }
    void noteOn(int32_t note, int32_t velocity) { pool.noteOn(note, velocity); }
    StereoBlock render(int32_t frames) {
        StereoBlock block{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
        pool.render(block.left.data(), block.right.data(), frames);
        return block;
    }

private:
    MalletProgram bank[7];
    int32_t current = 0;
    VoicePool pool;
};

TEST(SettingsHandOver, OneThreadHearsEveryChangeInCallOrder) {
    std::mt19937 random(1234);
    auto pick = [&](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
    HostedSynth hosted;
    DirectEngine direct;
    for (int32_t block = 0; block < 300; ++block) {
        // The engine takes the latest value of each setting, so a rate set
        // twice between two blocks around a strike-gain change is the one
        // history it cannot replay; hosts change rates while suspended.
        bool rateChanged = false;
        for (int32_t change = pick(6); change > 0; --change) {
            const int32_t what = pick(40);
            if (what == 0) {
                const int32_t program = pick(7);
                hosted.dispatch(effSetProgram, 0, program);
                direct.setProgram(program);
            } else if (what == 1 && !rateChanged) {
                rateChanged = true;
                const float rate = pick(2) ? 48000.0f : 44100.0f;
                hosted.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
                direct.setSampleRate(rate);
            } else {
                const int32_t index = pick(19);
                const float value = static_cast<float>(pick(1001)) / 1000.0f;
                hosted.setParameter(index, value);
                direct.setParameter(index, value);
            }
        }
        if (pick(3) == 0) {
            const int32_t note = 30 + pick(70);
            const int32_t velocity = pick(4) == 0 ? 0 : 1 + pick(127);
            hosted.send({midiEvent(0x90, static_cast<unsigned char>(note), static_cast<unsigned char>(velocity))});
            direct.noteOn(note, velocity);
        }
        const int32_t frames = 1 + pick(700);
        ASSERT_EQ(hosted.render(frames), direct.render(frames)) << "block " << block;
    }
}

// Thousands of automation points between two blocks: the engine ends up
// with the last value of each parameter, exactly as if it had taken them all.
TEST(SettingsHandOver, ChangesFasterThanBlocksLeaveTheLatestValues) {
    HostedSynth flooded;
    HostedSynth once;
    for (int32_t point = 0; point < 5000; ++point) flooded.setParameter(point % 19, static_cast<float>(point % 97) / 96.0f);
    for (int32_t point = 5000 - 19; point < 5000; ++point) once.setParameter(point % 19, static_cast<float>(point % 97) / 96.0f);
    for (HostedSynth* synth : {&flooded, &once}) synth->send({noteOn(60), noteOn(67, 5)});
    const StereoBlock expected = once.render(4096);
    EXPECT_TRUE(expected.soundsAt(100));
    EXPECT_EQ(flooded.render(4096), expected);
}

}  // namespace
