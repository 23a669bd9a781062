#include "host/EffectBase.h"

#include <cmath>
#include <cstring>

#include "host/EditorBase.h"

namespace {

EffectBase* objectOf(AEffect* effect) { return static_cast<EffectBase*>(effect->object); }

intptr_t VSTCALLBACK dispatcherProc(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                    void* ptr, float opt) {
    EffectBase* object = objectOf(effect);
    const intptr_t result = object->dispatch(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete object;  // the record goes with it: nothing may touch effect from here on
        return 1;
    }
    return result;
}

void VSTCALLBACK processProc(AEffect* effect, float** inputs, float** outputs, int32_t sampleFrames) {
    objectOf(effect)->process(inputs, outputs, sampleFrames);
}

void VSTCALLBACK processReplacingProc(AEffect* effect, float** inputs, float** outputs,
                                      int32_t sampleFrames) {
    objectOf(effect)->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALLBACK setParameterProc(AEffect* effect, int32_t index, float value) {
    objectOf(effect)->setParameter(index, value);
}

float VSTCALLBACK getParameterProc(AEffect* effect, int32_t index) {
    return objectOf(effect)->getParameter(index);
}

// Truncation toward zero without undefined conversions for huge or NaN levels.
int32_t vuToInteger(double level) {
    if (!(std::fabs(level) < 2147483647.0)) {
        return std::isnan(level) ? 0 : (level > 0 ? INT32_MAX : -INT32_MAX);
    }
    return static_cast<int32_t>(level);
}

bool writesOrReadsText(int32_t opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return true;
    default:
        return false;
    }
}

}  // namespace

EffectBase::EffectBase(audioMasterCallback callback, int32_t programs, int32_t params)
    : hostCallback(callback), programCount(programs), paramCount(params) {
    std::memset(&effect, 0, sizeof(effect));
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatcherProc;
    effect.process = processProc;
    effect.setParameter = setParameterProc;
    effect.getParameter = getParameterProc;
    effect.numPrograms = programs;
    effect.numParams = params;
    effect.numInputs = 1;
    effect.numOutputs = 2;
    effect.ioRatio = 1.0f;
    effect.object = this;
    effect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    effect.version = 1;
    effect.processReplacing = processReplacingProc;
}

EffectBase::~EffectBase() { delete editor; }

void EffectBase::attachEditor(EditorBase* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void EffectBase::setFlag(int32_t bit, bool state) {
    if (state) {
        effect.flags |= bit;
    } else {
        effect.flags &= ~bit;
    }
}

void EffectBase::setParameter(int32_t, float) {}

float EffectBase::getParameter(int32_t) { return 0.0f; }

void EffectBase::automateParameter(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void EffectBase::processReplacing(float**, float**, int32_t) {}

void EffectBase::setProgramName(char* name) { name[0] = 0; }
void EffectBase::getProgramName(char* name) { name[0] = 0; }
void EffectBase::getParamLabel(int32_t, char* text) { text[0] = 0; }
void EffectBase::getParamDisplay(int32_t, char* text) { text[0] = 0; }
void EffectBase::getParamName(int32_t, char* text) { text[0] = 0; }
int32_t EffectBase::getChunk(void**, bool) { return 0; }
int32_t EffectBase::setChunk(void*, int32_t, bool) { return 0; }

intptr_t EffectBase::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return hostCallback ? hostCallback(&effect, opcode, index, value, ptr, opt) : 0;
}

int32_t EffectBase::hostVersion() {
    if (!hostCallback) return 1;
    const intptr_t answer = callHost(audioMasterVersion, 0, 0, nullptr, 0.0f);
    return answer == 0 ? 1 : static_cast<int32_t>(answer);
}

int32_t EffectBase::hostCurrentId() {
    return static_cast<int32_t>(callHost(audioMasterCurrentId, 0, 0, nullptr, 0.0f));
}

int32_t EffectBase::hostIdle() {
    return static_cast<int32_t>(callHost(audioMasterIdle, 0, 0, nullptr, 0.0f));
}

bool EffectBase::hostInputConnected(int32_t index) {
    return callHost(audioMasterPinConnected, index, 0, nullptr, 0.0f) == 0;
}

bool EffectBase::hostOutputConnected(int32_t index) {
    return callHost(audioMasterPinConnected, index, 1, nullptr, 0.0f) == 0;
}

intptr_t EffectBase::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    if (writesOrReadsText(opcode) && ptr == nullptr) return 0;
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen: open(); return 0;
    case effClose: close(); return 0;
    case effSetProgram:
        if (value >= 0 && value < programCount) setProgram(static_cast<int32_t>(value));
        return 0;
    case effGetProgram: return getProgram();
    case effSetProgramName: setProgramName(text); return 0;
    case effGetProgramName: getProgramName(text); return 0;
    case effGetParamLabel: getParamLabel(index, text); return 0;
    case effGetParamDisplay: getParamDisplay(index, text); return 0;
    case effGetParamName: getParamName(index, text); return 0;
    case effGetVu: return vuToInteger(static_cast<double>(getVu()) * 32767.0);
    case effSetSampleRate: setSampleRate(opt); return 0;
    case effSetBlockSize: setBlockSize(static_cast<int32_t>(value)); return 0;
    case effMainsChanged:
        if (value == 0) suspend(); else resume();
        return 0;
    case effEditGetRect: return editor ? editor->editGetRect(ptr) : 0;
    case effEditOpen: return editor ? editor->editOpen(ptr) : 0;
    case effEditClose:
        if (editor) editor->editClose();
        return 0;
    case effEditIdle:
        if (editor) editor->editIdle();
        return 0;
    case effIdentify: return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk: return setChunk(ptr, static_cast<int32_t>(value), index != 0);
    default: return 0;
    }
}
