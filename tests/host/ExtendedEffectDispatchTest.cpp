#include <gtest/gtest.h>

#include <string>

#include "tests/host/ProbeEffect.h"

namespace {

intptr_t dispatch(ProbeEffect& effect, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                  void* ptr = nullptr, float opt = 0.0f) {
    AEffect* record = effect.getEffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string str(long long n) { return std::to_string(n); }

TEST(ExtendedDispatch, RoutesEveryOpcodeWithItsArguments) {
    ProbeEffect effect;
    char buffer[128];
    void* b = buffer;
    const std::string B = str(ProbeEffect::p(buffer));
    char other[8];
    const intptr_t o = reinterpret_cast<intptr_t>(other);
    const std::string O = str(o);
    struct Case {
        int32_t opcode; int32_t index; intptr_t value; float opt;
        intptr_t result; std::string logged;
    };
    const Case cases[] = {
        {effProcessEvents, 0, 0, 0, 5, "processEvents " + B},
        {effCanBeAutomated, 1, 0, 0, 1, "canBeAutomated 1"},
        {effCanBeAutomated, 2, 0, 0, 0, "canBeAutomated 2"},
        {effString2Parameter, 2, 0, 0, 1, "stringToParameter 2 " + B},
        {effGetProgramNameIndexed, 6, 3, 0, 1, "getProgramNameIndexed 3 6 " + B},
        {effCopyProgram, 2, 0, 0, 1, "copyProgram 2"},
        {effConnectInput, 1, 0, 0, 1, "connectInput 1 0"},
        {effConnectOutput, 0, 7, 0, 1, "connectOutput 0 1"},
        {effGetInputProperties, 1, 0, 0, 1, "getInputProperties 1 " + B},
        {effGetOutputProperties, 0, 0, 0, 1, "getOutputProperties 0 " + B},
        {effOfflineNotify, 1, 4, 0, 1, "offlineNotify " + B + " 4 1"},
        {effOfflinePrepare, 0, 4, 0, 1, "offlinePrepare " + B + " 4"},
        {effOfflineRun, 0, 5, 0, 1, "offlineRun " + B + " 5"},
        {effProcessVarIo, 0, 0, 0, 1, "processVarIo " + B},
        {effSetSpeakerArrangement, 0, o, 0, 1, "setSpeakerArrangement " + O + " " + B},
        {effSetBypass, 0, 1, 0, 1, "setBypass 1"},
        {effGetEffectName, 0, 0, 0, 1, "getEffectName " + B},
        {effGetErrorText, 0, 0, 0, 1, "getErrorText " + B},
        {effGetVendorString, 0, 0, 0, 1, "getVendorString " + B},
        {effGetProductString, 0, 0, 0, 1, "getProductString " + B},
        {effVendorSpecific, 3, 4, 2.0f, 11, "vendorSpecific 3 4 " + str(ProbeEffect::p(buffer) + 2)},
        {effCanDo, 0, 0, 0, -1, "canDo " + B},
        {effSetViewPosition, 30, 40, 0, 1, "setViewPosition 30 40"},
        {effGetParameterProperties, 2, 0, 0, 1, "getParameterProperties 2 " + B},
    };
    for (const Case& c : cases) {
        effect.log.clear();
        EXPECT_EQ(dispatch(effect, c.opcode, c.index, c.value, b, c.opt), c.result) << c.opcode;
        ASSERT_EQ(effect.log.size(), 1u) << c.opcode;
        EXPECT_EQ(effect.log[0], c.logged) << c.opcode;
    }
}

TEST(ExtendedDispatch, PlainAnswers) {
    ProbeEffect effect;
    EXPECT_EQ(dispatch(effect, effGetNumProgramCategories), 1);
    EXPECT_EQ(dispatch(effect, effGetCurrentPosition), 0);
    EXPECT_EQ(dispatch(effect, effGetDestinationBuffer), 0);
    EXPECT_EQ(dispatch(effect, effGetVendorVersion), 9);
    EXPECT_EQ(dispatch(effect, effGetTailSize), 12);
    EXPECT_EQ(dispatch(effect, effIdle), 13);
    EXPECT_EQ(dispatch(effect, effGetIcon), 0);
    EXPECT_EQ(dispatch(effect, effGetVstVersion), 2);
}

TEST(ExtendedDispatch, KeysRequiredIsInverted) {
    ProbeEffect effect;
    EXPECT_EQ(dispatch(effect, effKeysRequired), 1);
    effect.keys = true;
    EXPECT_EQ(dispatch(effect, effKeysRequired), 0);
}

TEST(ExtendedDispatch, PlugCategoryFollowsTheSynthFlag) {
    ProbeEffect effect;
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
    effect.setSynthFlag(true);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 2);
    effect.setSynthFlag(false);
    EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
}

TEST(ExtendedDispatch, BlockSizeAndRateGoThroughTheVirtualSetters) {
    ProbeEffect effect;
    EXPECT_EQ(dispatch(effect, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
    EXPECT_EQ(effect.storedBlockSize(), 512);
    EXPECT_EQ(effect.storedSampleRate(), 48000.0f);
    EXPECT_EQ(effect.log, (std::vector<std::string>{"setSampleRate 48000", "setBlockSize 512"}));
}

TEST(ExtendedDispatch, HostBuffersThatAreNullAreRefused) {
    ProbeEffect effect;
    for (int32_t opcode : {effString2Parameter, effGetProgramNameIndexed, effGetInputProperties,
                           effGetOutputProperties, effGetEffectName, effGetErrorText,
                           effGetVendorString, effGetProductString, effCanDo,
                           effGetParameterProperties}) {
        EXPECT_EQ(dispatch(effect, opcode, 0, 0, nullptr), 0) << opcode;
    }
    EXPECT_TRUE(effect.log.empty());
}

TEST(ExtendedDispatch, OtherOpcodesReachTheBaseUnchanged) {
    ProbeEffect effect;
    char text[16];
    EXPECT_EQ(dispatch(effect, effGetParamName, 2, 0, text), 0);
    EXPECT_EQ(dispatch(effect, effIdentify), 0x4E764566);
    EXPECT_EQ(dispatch(effect, 59, 1, 1, text, 1.0f), 0);
    EXPECT_EQ(effect.log, std::vector<std::string>{"getParamName 2 " + str(ProbeEffect::p(text))});
}

class DefaultEffect : public ExtendedEffect {
public:
    DefaultEffect() : ExtendedEffect(nullptr, 1, 1) {}
    void process(float**, float**, int32_t) override {}
};

TEST(ExtendedDispatch, DefaultsAnswerAsDocumented) {
    DefaultEffect effect;
    AEffect* record = effect.getEffect();
    char text[128] = "untouched";
    for (int32_t opcode = effProcessEvents; opcode <= effGetVstVersion; ++opcode) {
        intptr_t expected = 0;
        if (opcode == effCanBeAutomated || opcode == effGetNumProgramCategories ||
            opcode == effKeysRequired || opcode == effConnectInput || opcode == effConnectOutput ||
            opcode == effSetBlockSizeAndSampleRate) {
            expected = 1;
        }
        if (opcode == effGetVstVersion) expected = 2;
        EXPECT_EQ(record->dispatcher(record, opcode, 0, 0, text, 0.0f), expected) << opcode;
    }
    EXPECT_STREQ(text, "untouched");
}

}  // namespace
