// A host's threads at once: the audio thread sends events, processes and
// automates; the GUI thread edits, switches, copies and reads programs, saves
// and restores them as chunks and runs an editor's notification path; a third thread automates and changes
// the sample rate. Run under ThreadSanitizer it must report nothing; in every
// build nothing may crash and every sample must be a finite number.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "editor/PendingParameters.h"
#include "host/EditorBase.h"
#include "instrument/MalletSynth.h"

namespace {

intptr_t VSTCALLBACK quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The notification path an editor has: any thread posts, the editor's
// thread takes the changes at its idle and reads the stored values.
class NotifiedEditor : public EditorBase {
public:
    using EditorBase::EditorBase;
    void parameterChanged(int32_t index) {
        pending.post(index);
        postUpdate();
    }
    void refresh() override {
        const uint32_t changed = pending.take();
        for (int32_t i = 0; i < 19; ++i) {
            if (changed & (uint32_t{1} << i)) shown[i] = instrument->getParameter(i);
        }
        ++refreshes;
    }
    float shown[19] = {};
    long refreshes = 0;

private:
    PendingParameters pending;
};

class EditedSynth : public MalletSynth {
public:
    EditedSynth() : MalletSynth(quietHost), notified(this) {}
    void setParameter(int32_t index, float value) override {
        MalletSynth::setParameter(index, value);
        notified.parameterChanged(index);
    }
    NotifiedEditor notified;
};

struct Events {
    int32_t numEvents = 0;
    intptr_t reserved = 0;
    VstEvent* events[16] = {};
};

void sendRandomEvents(EditedSynth& synth, std::mt19937& random, int32_t frames) {
    VstMidiEvent midi[16] = {};
    Events list;
    const int32_t count = static_cast<int32_t>(random() % 6);
    for (int32_t i = 0; i < count; ++i) {
        const unsigned char statuses[] = {0x90, 0x80, 0x90, 0xB0};
        const unsigned char status = statuses[random() % 4];
        midi[i].type = kVstMidiType;
        midi[i].deltaFrames = static_cast<int32_t>(random() % static_cast<uint32_t>(frames + 10));
        midi[i].midiData[0] = static_cast<char>(status);
        midi[i].midiData[1] = static_cast<char>(status == 0xB0 ? 120 + random() % 7 : random() % 128);
        midi[i].midiData[2] = static_cast<char>(random() % 128);
        list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&midi[i]);
    }
    synth.processEvents(reinterpret_cast<VstEvents*>(&list));
}

TEST(ThreadStress, AudioGuiAndAutomationThreadsAtOnce) {
    EditedSynth synth;
    synth.setBlockSize(512);
    std::atomic<bool> stop{false};
    std::atomic<long> nonFinite{0};
    long blocks = 0;
    long guiWrites = 0;
    long automationWrites = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);

    std::thread audio([&] {
        std::mt19937 random(1);
        std::vector<float> left(700), right(700);
        float* outputs[2] = {left.data(), right.data()};
        while (std::chrono::steady_clock::now() < until) {
            const auto frames = static_cast<int32_t>(1 + random() % 600);
            sendRandomEvents(synth, random, frames);
            if (random() % 4 == 0) synth.setParameter(static_cast<int32_t>(random() % 19), float(random() % 100) / 99.0f);
            synth.processReplacing(nullptr, outputs, frames);
            for (int32_t i = 0; i < frames; ++i) {
                if (!std::isfinite(left[i]) || !std::isfinite(right[i])) nonFinite.fetch_add(1);
            }
            ++blocks;
        }
        stop = true;
    });
    std::thread automation([&] {
        std::mt19937 random(2);
        while (!stop) {
            synth.setParameter(static_cast<int32_t>(random() % 19), float(random() % 1000) / 999.0f);
            if (random() % 500 == 0) synth.setSampleRate(random() % 2 ? 48000.0f : 44100.0f);
            ++automationWrites;
        }
    });
    std::mt19937 random(3);
    char text[256];
    while (!stop) {
        switch (random() % 9) {
        case 0: synth.setProgram(static_cast<int32_t>(random() % 7)); break;
        case 1: synth.copyProgram(static_cast<int32_t>(random() % 7)); break;
        case 2: synth.getProgramName(text); break;
        case 3: {
            std::string name = "Edit " + std::to_string(random() % 100);
            synth.setProgramName(name.data());
            break;
        }
        case 4: synth.getParamDisplay(static_cast<int32_t>(random() % 19), text); break;
        case 5: synth.getProgramNameIndexed(0, static_cast<int32_t>(random() % 7), text); break;
        case 6: synth.notified.editIdle(); break;
        case 7: {
            const bool program = random() % 2 != 0;
            void* data = nullptr;
            const int32_t size = synth.getChunk(&data, program);
            std::vector<uint8_t> saved(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
            EXPECT_EQ(synth.setChunk(saved.data(), size, program), 1);
            break;
        }
        default:
            synth.setParameter(static_cast<int32_t>(random() % 19), float(random() % 1000) / 999.0f);
            ++guiWrites;
            break;
        }
        EXPECT_GE(synth.getParameter(static_cast<int32_t>(random() % 19)), 0.0f);
    }
    audio.join();
    automation.join();

    EXPECT_EQ(nonFinite.load(), 0);
    EXPECT_GT(blocks, 100);
    // Quiet again: the editor shows exactly what the instrument stored.
    synth.notified.editIdle();
    synth.setParameter(5, 0.25f);
    synth.notified.editIdle();
    EXPECT_EQ(synth.notified.shown[5], 0.25f);
    std::printf("%ld blocks, %ld GUI and %ld automation parameter writes, %ld editor refreshes\n", blocks,
                guiWrites, automationWrites, synth.notified.refreshes);
}

}  // namespace
