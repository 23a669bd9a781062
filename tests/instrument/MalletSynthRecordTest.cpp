#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/RecordingHost.h"
#include "tests/instrument/HostedSynth.h"

namespace {

class MalletSynthRecord : public ::testing::Test {
protected:
    void SetUp() override { RecordingHost::reset(); }
    HostedSynth hosted;
};

TEST_F(MalletSynthRecord, RecordIsThatOfAStereoInstrumentWithoutInputs) {
    const AEffect& record = *hosted.record;
    EXPECT_EQ(record.magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(record.numPrograms, 7);
    EXPECT_EQ(record.numParams, 19);
    EXPECT_EQ(record.numInputs, 0);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 0x130);
    EXPECT_EQ(record.uniqueID, fourCharCode('T', 'o', 'l', 'i'));
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.initialDelay, 0);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(hosted.dispatch(effGetPlugCategory), kPlugCategSynth);
}

TEST_F(MalletSynthRecord, WithoutAHostCallbackTheBaseRecordIsKept) {
    HostedSynth hostless(nullptr);
    EXPECT_EQ(hostless.record->numPrograms, 7);
    EXPECT_EQ(hostless.record->numParams, 19);
    EXPECT_EQ(hostless.record->numInputs, 1);
    EXPECT_EQ(hostless.record->flags, 0);
    EXPECT_EQ(hostless.record->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
}

TEST_F(MalletSynthRecord, IdentityTextsAndVendorVersion) {
    EXPECT_EQ(hosted.text(effGetEffectName), "zavTolvek");
    EXPECT_EQ(hosted.text(effGetProductString), "zavTolvek");
    EXPECT_EQ(hosted.text(effGetVendorString), "zav");
    char buffer[64];
    EXPECT_EQ(hosted.dispatch(effGetEffectName, 0, 0, buffer), 1);
    EXPECT_EQ(hosted.dispatch(effGetVendorString, 0, 0, buffer), 1);
    EXPECT_EQ(hosted.dispatch(effGetProductString, 0, 0, buffer), 1);
    EXPECT_EQ(hosted.dispatch(effGetVendorVersion), 1);
}

TEST_F(MalletSynthRecord, CanDoAnswersOnlyTheTwoEventWordsExactly) {
    auto canDo = [&](const char* word) {
        char text[64];
        std::strcpy(text, word);
        return hosted.dispatch(effCanDo, 0, 0, text);
    };
    EXPECT_EQ(canDo("receiveVstEvents"), 1);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), 1);
    EXPECT_EQ(canDo("receivevstevents"), -1);
    EXPECT_EQ(canDo("ReceiveVstMidiEvent"), -1);
    EXPECT_EQ(canDo("receiveVstEvents "), -1);
    EXPECT_EQ(canDo("receiveVstEvent"), -1);
    EXPECT_EQ(canDo("sendVstEvents"), -1);
    EXPECT_EQ(canDo(""), -1);
}

TEST_F(MalletSynthRecord, TwoStereoOutputPinsAreLabelledFromOne) {
    for (int32_t pin = 0; pin < 2; ++pin) {
        VstPinProperties properties{};
        EXPECT_EQ(hosted.dispatch(effGetOutputProperties, pin, 0, &properties), 1);
        EXPECT_STREQ(properties.label, pin == 0 ? "Tolvek 1" : "Tolvek 2");
        EXPECT_EQ(properties.flags, kVstPinIsActive | kVstPinIsStereo);
    }
    for (int32_t pin : {2, -1}) {
        VstPinProperties properties{};
        std::strcpy(properties.label, "untouched");
        properties.flags = 99;
        EXPECT_EQ(hosted.dispatch(effGetOutputProperties, pin, 0, &properties), 0);
        EXPECT_STREQ(properties.label, "untouched");
        EXPECT_EQ(properties.flags, 99);
    }
}

TEST_F(MalletSynthRecord, ResumeAsksTheHostForMidiAndSuspendSendsNothing) {
    hosted.dispatch(effMainsChanged, 0, 0);
    EXPECT_TRUE(RecordingHost::calls.empty());
    hosted.dispatch(effMainsChanged, 0, 1);
    ASSERT_EQ(RecordingHost::calls.size(), 1u);
    const HostCall& call = RecordingHost::calls[0];
    EXPECT_EQ(call.effect, hosted.record);
    EXPECT_EQ(call.opcode, audioMasterWantMidi);
    EXPECT_EQ(call.index, 0);
    EXPECT_EQ(call.value, 1);
    EXPECT_EQ(call.ptr, nullptr);
    EXPECT_EQ(call.opt, 0.0f);
}

}  // namespace
