#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "tests/host/ProbeEffect.h"

namespace {

intptr_t dispatch(ProbeEffect& effect, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                  void* ptr = nullptr, float opt = 0.0f) {
    AEffect* record = effect.getEffect();
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string only(const ProbeEffect& effect) {
    EXPECT_EQ(effect.log.size(), 1u);
    return effect.log.empty() ? "" : effect.log.back();
}

TEST(EffectRecord, IsFilledWithTheBaseDefaults) {
    ProbeEffect effect(nullptr, 4);
    const AEffect* record = effect.getEffect();
    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->numPrograms, 4);
    EXPECT_EQ(record->numParams, 3);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, 0);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->object, &effect);
    EXPECT_EQ(record->uniqueID, 0x4E6F4566);
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->processDoubleReplacing, nullptr);
    for (char byte : record->future) EXPECT_EQ(byte, 0);
}

TEST(EffectRecord, PlainFunctionsReachTheVirtualOperations) {
    ProbeEffect effect;
    AEffect* record = effect.getEffect();
    record->process(record, nullptr, nullptr, 64);
    record->processReplacing(record, nullptr, nullptr, 32);
    record->setParameter(record, 2, 0.25f);
    EXPECT_EQ(effect.log, (std::vector<std::string>{"process 64", "processReplacing 32",
                                                    "setParameter 2 250"}));
    EXPECT_EQ(record->getParameter(record, 2), 0.0f);
}

TEST(BaseDispatch, RoutesTheProgramAndTextOpcodes) {
    ProbeEffect effect;
    char text[64];
    const long long t = ProbeEffect::p(text);
    struct Case { int32_t opcode; int32_t index; std::string expected; };
    const Case cases[] = {
        {effOpen, 0, "open"},
        {effSetProgramName, 0, "setProgramName " + std::to_string(t)},
        {effGetProgramName, 0, "getProgramName " + std::to_string(t)},
        {effGetParamLabel, 2, "getParamLabel 2 " + std::to_string(t)},
        {effGetParamDisplay, 1, "getParamDisplay 1 " + std::to_string(t)},
        {effGetParamName, 0, "getParamName 0 " + std::to_string(t)},
    };
    for (const Case& c : cases) {
        effect.log.clear();
        EXPECT_EQ(dispatch(effect, c.opcode, c.index, 0, text), 0);
        EXPECT_EQ(only(effect), c.expected) << "opcode " << c.opcode;
    }
}

TEST(BaseDispatch, TextOpcodesWithoutBufferDoNothing) {
    ProbeEffect effect;
    for (int32_t opcode : {effSetProgramName, effGetProgramName, effGetParamLabel,
                           effGetParamDisplay, effGetParamName}) {
        EXPECT_EQ(dispatch(effect, opcode, 0, 0, nullptr), 0);
    }
    EXPECT_TRUE(effect.log.empty());
}

TEST(BaseDispatch, SetProgramIsBoundedByTheProgramCount) {
    ProbeEffect effect(nullptr, 4);
    EXPECT_EQ(dispatch(effect, effSetProgram, 0, 3), 0);
    EXPECT_EQ(dispatch(effect, effGetProgram), 3);
    for (intptr_t outside : {intptr_t{4}, intptr_t{-1}, intptr_t{1000}}) {
        EXPECT_EQ(dispatch(effect, effSetProgram, 0, outside), 0);
    }
    EXPECT_EQ(effect.currentProgramNumber(), 3);
    EXPECT_EQ(effect.log, std::vector<std::string>{"setProgram 3"});
}

TEST(BaseDispatch, VuIsScaledAndTruncatedTowardZero) {
    ProbeEffect effect;
    effect.vu = 0.5f;
    EXPECT_EQ(dispatch(effect, effGetVu), 16383);
    effect.vu = 1.0f;
    EXPECT_EQ(dispatch(effect, effGetVu), 32767);
    effect.vu = -0.5f;
    EXPECT_EQ(dispatch(effect, effGetVu), -16383);
    effect.vu = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(dispatch(effect, effGetVu), 0);
    effect.vu = 1e30f;
    EXPECT_EQ(dispatch(effect, effGetVu), INT32_MAX);
}

TEST(BaseDispatch, RateSizeAndMains) {
    ProbeEffect effect;
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, 256);
    dispatch(effect, effMainsChanged, 0, 0);
    dispatch(effect, effMainsChanged, 0, 2);
    dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_EQ(effect.log, (std::vector<std::string>{"setSampleRate 48000", "setBlockSize 256",
                                                    "suspend", "resume", "resume"}));
}

TEST(BaseDispatch, ChunksPassIsPresetFromTheIndex) {
    ProbeEffect effect;
    void* data = nullptr;
    const long long d = ProbeEffect::p(&data);
    EXPECT_EQ(dispatch(effect, effGetChunk, 5, 0, &data), 77);
    EXPECT_EQ(dispatch(effect, effGetChunk, 0, 0, &data), 77);
    EXPECT_EQ(dispatch(effect, effSetChunk, 1, 300, &data), 78);
    EXPECT_EQ(effect.log, (std::vector<std::string>{
                              "getChunk " + std::to_string(d) + " 1",
                              "getChunk " + std::to_string(d) + " 0",
                              "setChunk " + std::to_string(d) + " 300 1"}));
}

TEST(BaseDispatch, IdentifyAnswersNvEfWhateverTheArguments) {
    ProbeEffect effect;
    EXPECT_EQ(dispatch(effect, effIdentify), 0x4E764566);
    EXPECT_EQ(dispatch(effect, effIdentify, 7, 9, &effect, 3.0f), 0x4E764566);
}

TEST(BaseDispatch, UnusedOpcodesAnswerZeroAndDoNothing) {
    ProbeEffect effect;
    const AEffect before = *effect.getEffect();
    for (int32_t opcode : {16, 17, 18, 20, 21, 59, 60, 1000, -1}) {
        EXPECT_EQ(dispatch(effect, opcode, 1, 1, &effect, 1.0f), 0) << opcode;
    }
    EXPECT_TRUE(effect.log.empty());
    EXPECT_EQ(std::memcmp(&before, effect.getEffect(), sizeof(AEffect)), 0);
}

TEST(BaseDispatch, EditorOpcodesWithoutEditorAnswerZero) {
    ProbeEffect effect;
    void* rect = &effect;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, &effect), 0);
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
}

TEST(BaseDispatch, EditorOpcodesReachTheEditor) {
    ProbeEffect effect;
    std::vector<std::string> editorLog;
    effect.attachEditor(new ProbeEditor(&effect, editorLog));
    EXPECT_EQ(effect.getEffect()->flags, effFlagsHasEditor);
    EXPECT_EQ(dispatch(effect, effEditGetRect), 21);
    EXPECT_EQ(dispatch(effect, effEditOpen), 22);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(editorLog, (std::vector<std::string>{"editGetRect", "editOpen", "editIdle",
                                                   "editClose"}));
}

TEST(BaseDispatch, CloseCallsCloseThenDestroysObjectAndEditor) {
    int effects = 0;
    int editors = 0;
    std::vector<std::string> editorLog;
    auto* effect = new ProbeEffect;
    effect->destroyed = &effects;
    effect->attachEditor(new ProbeEditor(effect, editorLog, &editors));
    AEffect* record = effect->getEffect();
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(effects, 1);
    EXPECT_EQ(editors, 1);
}

TEST(BaseDispatch, DispatchItselfAnswersZeroToClose) {
    ProbeEffect effect;
    EXPECT_EQ(effect.dispatch(effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(effect.log, std::vector<std::string>{"close"});
}

TEST(EffectFlags, EachSetterTouchesOnlyItsOwnBit) {
    ProbeEffect effect;
    using Setter = void (ProbeEffect::*)(bool);
    const struct { Setter set; int32_t bit; } setters[] = {
        {&ProbeEffect::setClipFlag, 0x2},    {&ProbeEffect::setVuFlag, 0x4},
        {&ProbeEffect::setMonoFlag, 0x8},    {&ProbeEffect::setReplacingFlag, 0x10},
        {&ProbeEffect::setChunksFlag, 0x20}, {&ProbeEffect::setSynthFlag, 0x100},
        {&ProbeEffect::setNoSoundInStopFlag, 0x200}, {&ProbeEffect::setAsyncFlag, 0x400},
        {&ProbeEffect::setExternalBufferFlag, 0x800},
    };
    int32_t& flags = effect.getEffect()->flags;
    for (const auto& s : setters) {
        flags = 0x0FFF & ~s.bit;
        (effect.*s.set)(true);
        EXPECT_EQ(flags, 0x0FFF) << std::hex << s.bit;
        (effect.*s.set)(false);
        EXPECT_EQ(flags, 0x0FFF & ~s.bit) << std::hex << s.bit;
    }
    flags = 0x0FFE;
    std::vector<std::string> sink;
    ProbeEditor editor(&effect, sink);
    effect.attachEditor(&editor);
    EXPECT_EQ(flags, 0x0FFF);
    effect.attachEditor(nullptr);
    EXPECT_EQ(flags, 0x0FFE);
}

TEST(EffectRecordSetters, WriteTheirFields) {
    ProbeEffect effect;
    effect.setEffectId(0x12345678);
    effect.setInputCount(0);
    effect.setOutputCount(6);
    effect.setRealQualities(3);
    effect.setOffQualities(4);
    effect.setInitialDelay(128);
    const AEffect* record = effect.getEffect();
    EXPECT_EQ(record->uniqueID, 0x12345678);
    EXPECT_EQ(record->numInputs, 0);
    EXPECT_EQ(record->numOutputs, 6);
    EXPECT_EQ(record->realQualities, 3);
    EXPECT_EQ(record->offQualities, 4);
    EXPECT_EQ(record->initialDelay, 128);
}

}  // namespace
