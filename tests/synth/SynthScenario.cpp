#include "SynthScenario.h"

#include <algorithm>
#include <memory>

#include "FactoryProgramValues.h"
#include "synth/VoicePool.h"

namespace {

constexpr int32_t kBlockSize = 128;

class ScenarioPlayer {
public:
    explicit ScenarioPlayer(std::vector<float>& out) : samples(out) {}

    VoicePool pool;

    // Renders whole blocks; a slot taken during this call starts at its offset.
    void play(int32_t blocks, int32_t slot = -1, int32_t offset = 0)
    {
        for (int32_t block = 0; block < blocks; ++block) {
            std::fill(left, left + kBlockSize, 0.0f);
            std::fill(right, right + kBlockSize, 0.0f);
            for (int32_t s = 0; s < VoicePool::kSlotCount; ++s) {
                const int32_t start = block == 0 && s == slot ? offset : 0;
                pool.renderSlot(s, left + start, right + start, kBlockSize - start);
            }
            for (int32_t i = 0; i < kBlockSize; ++i) {
                samples.push_back(left[i]);
                samples.push_back(right[i]);
            }
        }
    }

private:
    std::vector<float>& samples;
    float left[kBlockSize] = {};
    float right[kBlockSize] = {};
};

}  // namespace

std::vector<float> renderSynthScenario()
{
    std::vector<float> samples;
    auto player = std::make_unique<ScenarioPlayer>(samples);
    VoicePool& pool = player->pool;
    pool.setSampleRate(44100.0f);

    applyProgram(pool, kMarimba);
    pool.noteOn(60, 100);
    pool.noteOn(64, 80);
    player->play(2);
    const int32_t slot = pool.noteOn(67, 127);
    player->play(4, slot, 37);

    applyProgram(pool, kVibraphone);
    pool.noteOn(72, 90);
    pool.noteOn(48, 60);
    player->play(8);

    applyProgram(pool, kBell);
    pool.noteOn(127, 110);
    pool.noteOn(0, 127);
    pool.setParameter(17, 0.3f);
    player->play(4);

    // Every note number, which also steals once the 32 slots are taken.
    applyProgram(pool, kWoodblock);
    pool.setParameter(3, 0.7f);
    for (int32_t note = 0; note < 128; ++note) {
        pool.noteOn((note * 45) % 128, (note * 37) % 128);
        if (note % 4 == 3)
            player->play(1);
    }
    pool.noteOn(60, 0);
    pool.noteOn(72, 0);
    player->play(4);

    pool.setSampleRate(48000.0f);
    applyProgram(pool, kOrvane);
    pool.setParameter(16, 0.8f);
    pool.setParameter(18, 1.0f);
    pool.noteOn(55, 100);
    player->play(4);
    applyProgram(pool, kKestrimund);
    pool.noteOn(61, 100);
    player->play(4);

    pool.allNotesOff();
    applyProgram(pool, kYarbo);
    pool.noteOn(45, 120);
    player->play(4);
    return samples;
}
