#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/vsthost/HostCallback.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginReport.h"
#include "tests/tools/vsthost/FakePlugin.h"

namespace vsthost {
namespace {

intptr_t ask(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return hostCallback(nullptr, opcode, index, value, ptr, opt);
}

intptr_t canDo(std::string word) { return ask(audioMasterCanDo, 0, 0, word.data()); }

TEST(HostCallback, AnswersVersionRateAndBlockSizeAsPrepared) {
    EXPECT_EQ(ask(audioMasterVersion), 2400);
    test::FakePlugin plugin;
    PluginInstance instance(plugin.record());
    instance.prepare(96000, 333);
    EXPECT_EQ(ask(audioMasterGetSampleRate), 96000);
    EXPECT_EQ(ask(audioMasterGetBlockSize), 333);
    instance.prepare(44100, 512);
    EXPECT_EQ(ask(audioMasterGetSampleRate), 44100);
}

TEST(HostCallback, SaysYesOnlyToWhatItDoes) {
    EXPECT_EQ(canDo("sendVstEvents"), 1);
    EXPECT_EQ(canDo("sendVstMidiEvent"), 1);
    EXPECT_EQ(canDo("sizeWindow"), 1);
    EXPECT_EQ(canDo("sendVstTimeInfo"), 0);
    EXPECT_EQ(canDo("SENDVSTEVENTS"), 0);
    EXPECT_EQ(ask(audioMasterCanDo), 0);
    EXPECT_EQ(ask(audioMasterWantMidi, 0, 1), 1);
    for (int32_t opcode : std::initializer_list<int32_t>{audioMasterIdle, audioMasterGetTime, audioMasterCurrentId, audioMasterUpdateDisplay,
                           audioMasterGetVendorString, 43, 1000, -1})
        EXPECT_EQ(ask(opcode), 0) << opcode;
}

TEST(HostCallback, RecordsAutomationAndResizesOnlyWithAnOpenEditor) {
    HostState& state = hostState();
    state.automations.clear();
    ask(audioMasterAutomate, 5, 0, nullptr, 0.3f);
    ask(audioMasterAutomate, 18, 0, nullptr, 1.0f);
    ASSERT_EQ(state.automations.size(), 2u);
    EXPECT_EQ(state.automations[0].index, 5);
    EXPECT_EQ(state.automations[0].value, 0.3f);
    EXPECT_EQ(state.automations[1].index, 18);

    EXPECT_EQ(ask(audioMasterSizeWindow, 400, 300), 0);
    static int width = 0;
    static int height = 0;
    state.sizeWindow = [](int32_t w, int32_t h) {
        width = w;
        height = h;
        return true;
    };
    EXPECT_EQ(ask(audioMasterSizeWindow, 400, 300), 1);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
    state.sizeWindow = nullptr;
}

TEST(HostCallback, LogsEveryCallByNameWhenAsked) {
    std::FILE* log = std::tmpfile();
    hostState().log = log;
    ask(audioMasterWantMidi, 0, 1);
    canDo("sizeWindow");
    hostState().log = nullptr;
    ask(audioMasterIdle);
    std::rewind(log);
    std::string text;
    for (int c; (c = std::fgetc(log)) != EOF;) text += static_cast<char>(c);
    std::fclose(log);
    EXPECT_NE(text.find("audioMasterWantMidi"), std::string::npos) << text;
    EXPECT_NE(text.find("\"sizeWindow\""), std::string::npos) << text;
    EXPECT_EQ(text.find("audioMasterIdle"), std::string::npos) << text;
    EXPECT_STREQ(callbackName(audioMasterUpdateDisplay), "audioMasterUpdateDisplay");
    EXPECT_STREQ(callbackName(audioMasterCanDo), "audioMasterCanDo");
}

TEST(PluginReport, DecodesCodesFlagsAndCategories) {
    EXPECT_EQ(fourCharText(kEffectMagic), "VstP");
    EXPECT_EQ(fourCharText(fourCharCode('z', 'T', 'o', 'l')), "zTol");
    EXPECT_EQ(fourCharText(0x41000142), "A..B");
    EXPECT_EQ(describeFlags(0x111), "0x111: has editor, replacing, instrument");
    EXPECT_EQ(describeFlags(0), "0x0");
    EXPECT_EQ(describeFlags(0x10000), "0x10000: unknown bits");
    EXPECT_EQ(describeCategory(2), "2 (instrument)");
    EXPECT_EQ(describeCategory(99), "99 (not known)");
    EXPECT_EQ(describeCategory(-1), "-1 (not known)");
}

}  // namespace
}  // namespace vsthost
