#include <gtest/gtest.h>

#include "tests/host/ProbeEffect.h"
#include "tests/host/RecordingHost.h"

namespace {

class HostCalls : public ::testing::Test {
protected:
    void SetUp() override { RecordingHost::reset(); }
    ProbeEffect effect{RecordingHost::callback};
    ProbeEffect hostless{nullptr};

    HostCall last() {
        EXPECT_FALSE(RecordingHost::calls.empty());
        return RecordingHost::calls.empty() ? HostCall{} : RecordingHost::calls.back();
    }
    void expectCall(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
        HostCall call = last();
        EXPECT_EQ(call.effect, effect.getEffect());
        EXPECT_EQ(call.opcode, opcode);
        EXPECT_EQ(call.index, index);
        EXPECT_EQ(call.value, value);
        EXPECT_EQ(call.ptr, ptr);
        EXPECT_EQ(call.opt, opt);
        RecordingHost::calls.clear();
    }
};

TEST_F(HostCalls, AutomateSetsTheParameterThenTellsTheHost) {
    effect.automateParameter(2, 0.75f);
    EXPECT_EQ(effect.log, std::vector<std::string>{"setParameter 2 750"});
    expectCall(audioMasterAutomate, 2, 0, nullptr, 0.75f);
    hostless.automateParameter(1, 0.5f);
    EXPECT_EQ(hostless.log, std::vector<std::string>{"setParameter 1 500"});
}

TEST_F(HostCalls, VersionAnswerZeroBecomesOne) {
    RecordingHost::versionAnswer = 2400;
    EXPECT_EQ(effect.hostVersion(), 2400);
    expectCall(audioMasterVersion);
    RecordingHost::versionAnswer = 0;
    EXPECT_EQ(effect.hostVersion(), 1);
    EXPECT_EQ(hostless.hostVersion(), 1);
}

TEST_F(HostCalls, PinConnectedIsTrueWhenTheHostAnswersZero) {
    RecordingHost::answer = 1;
    EXPECT_FALSE(effect.hostInputConnected(3));
    expectCall(audioMasterPinConnected, 3, 0);
    EXPECT_FALSE(effect.hostOutputConnected(1));
    expectCall(audioMasterPinConnected, 1, 1);
    RecordingHost::answer = 0;
    EXPECT_TRUE(effect.hostInputConnected(0));
    EXPECT_TRUE(hostless.hostInputConnected(0));
    EXPECT_TRUE(hostless.hostOutputConnected(0));
}

TEST_F(HostCalls, PlainAnswersArePassedThrough) {
    RecordingHost::answer = 42;
    EXPECT_EQ(effect.hostCurrentId(), 42);
    expectCall(audioMasterCurrentId);
    EXPECT_EQ(effect.hostIdle(), 42);
    expectCall(audioMasterIdle);
    EXPECT_EQ(effect.hostTempoAt(1000), 42);
    expectCall(audioMasterTempoAt, 0, 1000);
    EXPECT_EQ(effect.hostAutomatableCount(), 42);
    expectCall(audioMasterGetNumAutomatableParameters);
    EXPECT_EQ(effect.hostParameterQuantization(), 42);
    expectCall(audioMasterGetParameterQuantization);
    EXPECT_EQ(effect.hostInputLatency(), 42);
    expectCall(audioMasterGetInputLatency);
    EXPECT_EQ(effect.hostOutputLatency(), 42);
    expectCall(audioMasterGetOutputLatency);
    EXPECT_EQ(effect.hostReplaceOrAccumulate(), 42);
    expectCall(audioMasterWillReplaceOrAccumulate);
    EXPECT_EQ(effect.hostProcessLevel(), 42);
    expectCall(audioMasterGetCurrentProcessLevel);
    EXPECT_EQ(effect.hostAutomationState(), 42);
    expectCall(audioMasterGetAutomationState);
    EXPECT_EQ(effect.hostVendorVersion(), 42);
    expectCall(audioMasterGetVendorVersion);
    EXPECT_EQ(effect.hostLanguage(), 42);
    expectCall(audioMasterGetLanguage);
    char text[8];
    EXPECT_EQ(effect.hostVendorSpecific(5, 6, text, 1.5f), 42);
    expectCall(audioMasterVendorSpecific, 5, 6, text, 1.5f);
}

TEST_F(HostCalls, PointerAnswers) {
    static int target;
    RecordingHost::answer = reinterpret_cast<intptr_t>(&target);
    EXPECT_EQ(static_cast<void*>(effect.hostGetTime(3)), &target);
    expectCall(audioMasterGetTime, 0, 3);
    EXPECT_EQ(static_cast<void*>(effect.hostPreviousPlug()), &target);
    expectCall(audioMasterGetPreviousPlug);
    EXPECT_EQ(static_cast<void*>(effect.hostNextPlug()), &target);
    expectCall(audioMasterGetNextPlug);
    char window[4];
    EXPECT_EQ(effect.hostOpenWindow(window), &target);
    expectCall(audioMasterOpenWindow, 0, 0, window);
    EXPECT_EQ(effect.hostDirectory(), &target);
    expectCall(audioMasterGetDirectory);
    EXPECT_EQ(hostless.hostGetTime(0), nullptr);
    EXPECT_EQ(hostless.hostNextPlug(), nullptr);
    EXPECT_EQ(hostless.hostOpenWindow(window), nullptr);
}

TEST_F(HostCalls, YesNoAnswersAreExactlyOneForAnyNonZero) {
    char text[8];
    char other[8];
    RecordingHost::answer = -1;
    EXPECT_EQ(effect.hostCanDo(text), 1);
    expectCall(audioMasterCanDo, 0, 0, text);
    RecordingHost::answer = 7;
    EXPECT_TRUE(effect.hostIOChanged());
    expectCall(audioMasterIOChanged);
    EXPECT_TRUE(effect.hostNeedIdle());
    expectCall(audioMasterNeedIdle);
    EXPECT_TRUE(effect.hostSizeWindow(413, 197));
    expectCall(audioMasterSizeWindow, 413, 197);
    EXPECT_TRUE(effect.hostOfflineStart(text, 3, 4));
    expectCall(audioMasterOfflineStart, 4, 3, text);
    EXPECT_TRUE(effect.hostOfflineRead(text, 9, true));
    expectCall(audioMasterOfflineRead, 1, 9, text);
    EXPECT_TRUE(effect.hostOfflineWrite(text, 8));
    expectCall(audioMasterOfflineWrite, 0, 8, text);
    EXPECT_EQ(effect.hostOfflineCurrentPass(), 1);
    expectCall(audioMasterOfflineGetCurrentPass);
    EXPECT_EQ(effect.hostOfflineCurrentMetaPass(), 1);
    expectCall(audioMasterOfflineGetCurrentMetaPass);
    EXPECT_TRUE(effect.hostSpeakerArrangement(other, text));
    expectCall(audioMasterGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(other), text);
    EXPECT_TRUE(effect.hostVendorString(text));
    expectCall(audioMasterGetVendorString, 0, 0, text);
    EXPECT_TRUE(effect.hostProductString(text));
    expectCall(audioMasterGetProductString, 0, 0, text);
    EXPECT_TRUE(effect.hostCloseWindow(text));
    expectCall(audioMasterCloseWindow, 0, 0, text);
    EXPECT_TRUE(effect.hostUpdateDisplay());
    expectCall(audioMasterUpdateDisplay);
    RecordingHost::answer = 0;
    EXPECT_EQ(effect.hostCanDo(text), 0);
    EXPECT_FALSE(effect.hostUpdateDisplay());
}

TEST_F(HostCalls, WithoutHostYesNoCallsAnswerNo) {
    char text[8];
    EXPECT_EQ(hostless.hostCanDo(text), 0);
    EXPECT_FALSE(hostless.hostIOChanged());
    EXPECT_FALSE(hostless.hostSizeWindow(1, 1));
    EXPECT_FALSE(hostless.hostOfflineRead(text, 0, false));
    EXPECT_EQ(hostless.hostOfflineCurrentPass(), 0);
    EXPECT_FALSE(hostless.hostVendorString(text));
    EXPECT_EQ(hostless.hostTempoAt(5), 0);
    EXPECT_EQ(hostless.hostCurrentId(), 0);
    EXPECT_EQ(hostless.hostIdle(), 0);
}

TEST_F(HostCalls, NotificationsSendTheirArguments) {
    effect.hostWantMidi(1);
    expectCall(audioMasterWantMidi, 0, 1);
    effect.hostSetOutputSampleRate(96000.0f);
    expectCall(audioMasterSetOutputSampleRate, 0, 0, nullptr, 96000.0f);
    hostless.hostWantMidi(1);
    EXPECT_TRUE(RecordingHost::calls.empty());
}

TEST_F(HostCalls, RateAndBlockSizeUpdatesReturnTheStoredValues) {
    RecordingHost::answer = 96000;
    effect.setBlockSizeAndSampleRate(256, 48000.0f);
    EXPECT_EQ(effect.hostUpdateSampleRate(), 48000.0f);
    expectCall(audioMasterGetSampleRate);
    EXPECT_EQ(effect.hostUpdateBlockSize(), 256);
    expectCall(audioMasterGetBlockSize);
    hostless.setBlockSizeAndSampleRate(64, 22050.0f);
    EXPECT_EQ(hostless.hostUpdateSampleRate(), 22050.0f);
    EXPECT_EQ(hostless.hostUpdateBlockSize(), 64);
}

}  // namespace
