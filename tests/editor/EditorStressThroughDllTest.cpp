// A host's two threads at once, through the real DLL: an audio thread
// processes, sends notes and automates without pause, while the window
// thread opens the editor, idles it, drags a knob and closes it again, over
// and over; every other drag is cut short by the host closing the editor
// from its idle callback, as a host does when its window goes away.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "ControlTestSupport.h"
#include "GuiTestSupport.h"
#include "PanelLayout.h"
#include "host/VstInterface.h"

namespace {

using EntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback);

struct StressHost {
    AEffect* effect = nullptr;
    HWND window = nullptr;
    std::atomic<bool> closeAtNextIdle{false};
    int closedInsideDrag = 0;
    int beganEdits = 0;
    int endedEdits = 0;

    void closeEditor() {
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
        DestroyWindow(window);
        window = nullptr;
    }
};

StressHost stressHost;

// Idle and automation reach us on the window thread; the audio thread never calls back.
intptr_t VSTCALLBACK stressCallback(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterBeginEdit) ++stressHost.beganEdits;
    if (opcode == audioMasterEndEdit) ++stressHost.endedEdits;
    if (opcode == audioMasterIdle && stressHost.closeAtNextIdle.exchange(false) && stressHost.window) {
        stressHost.closeEditor();
        ++stressHost.closedInsideDrag;
    }
    return 0;
}

struct NoteList {
    int32_t numEvents = 0;
    intptr_t reserved = 0;
    VstEvent* events[4] = {};
};

void dragKnob(HWND editor, int tag) {
    const PanelSpot knob = kKnobSpots[static_cast<size_t>(tag)];
    Gesture()
        .moveTo(editor, knob.x + kKnobSize / 2, knob.y + kKnobSize / 2)
        .press()
        .moveTo(editor, knob.x, knob.y + kKnobSize / 2)
        .moveTo(editor, knob.x + kKnobSize / 2, knob.y)
        .moveTo(editor, knob.x + kKnobSize, knob.y + kKnobSize / 2)
        .release()
        .perform();
}

TEST(EditorStressThroughDll, AudioThreadAutomatesWhileTheEditorOpensDragsAndClosesOverAndOver) {
    HMODULE library = LoadLibraryA(ZAV_PLUGIN_PATH);
    ASSERT_NE(library, nullptr);
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(GetProcAddress(library, "main")));
    AEffect* effect = entry(stressCallback);
    ASSERT_NE(effect, nullptr);
    stressHost.effect = effect;
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, 256, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::atomic<long> automations{0};
    std::atomic<long> nonFinite{0};
    std::thread audio([&] {
        std::vector<float> left(256), right(256);
        float* outputs[2] = {left.data(), right.data()};
        for (uint32_t n = 0; !stop; ++n) {
            VstMidiEvent note{};
            note.type = kVstMidiType;
            note.deltaFrames = static_cast<int32_t>(n % 256);
            note.midiData[0] = static_cast<char>(0x90);
            note.midiData[1] = static_cast<char>(36 + n % 60);
            note.midiData[2] = static_cast<char>(n % 3 ? 90 : 0);
            NoteList list;
            list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&note);
            effect->dispatcher(effect, effProcessEvents, 0, 0, &list, 0.0f);
            for (int32_t k = 0; k < 8; ++k, automations.fetch_add(1)) {
                effect->setParameter(effect, static_cast<int32_t>((n + k) % 19), static_cast<float>(n % 101) / 100.0f);
            }
            effect->processReplacing(effect, nullptr, outputs, 256);
            for (int32_t i = 0; i < 256; ++i) {
                if (!std::isfinite(left[i]) || !std::isfinite(right[i])) nonFinite.fetch_add(1);
            }
            blocks.fetch_add(1);
        }
    });

    constexpr int kCycles = 16;
    int openings = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        stressHost.window = createHostWindow(testTopWindow(), 10, 10, kPanelWidth, kPanelHeight);
        ASSERT_EQ(effect->dispatcher(effect, effEditOpen, 0, 0, stressHost.window, 0.0f), 1);
        ++openings;
        pumpMessages();
        for (int idle = 0; idle < 3; ++idle) {
            effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
            pumpMessages();
        }
        HWND editor = GetWindow(stressHost.window, GW_CHILD);
        ASSERT_NE(editor, nullptr);
        stressHost.closeAtNextIdle = cycle % 2 == 1;
        dragKnob(editor, cycle % 18);
        stressHost.closeAtNextIdle = false;
        if (stressHost.window) stressHost.closeEditor();
        pumpMessages();
    }
    // Quick openings and closings between blocks, no gesture.
    for (int cycle = 0; cycle < 40; ++cycle, ++openings) {
        stressHost.window = createHostWindow(testTopWindow(), 10, 10, kPanelWidth, kPanelHeight);
        effect->dispatcher(effect, effEditOpen, 0, 0, stressHost.window, 0.0f);
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        pumpMessages();
        stressHost.closeEditor();
    }
    stop = true;
    audio.join();

    EXPECT_EQ(nonFinite.load(), 0);
    EXPECT_GT(blocks.load(), 0);
    EXPECT_EQ(stressHost.closedInsideDrag, kCycles / 2);
    // Each drag that moved a knob is one gesture, and one closed under it still ends.
    EXPECT_GE(stressHost.beganEdits, kCycles / 2);
    EXPECT_EQ(stressHost.endedEdits, stressHost.beganEdits);
    std::printf("%d editor openings (%d closed inside a knob drag), %ld blocks, %ld automated parameter writes\n",
                openings, stressHost.closedInsideDrag, blocks.load(), automations.load());
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
