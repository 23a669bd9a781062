#include "host/ExtendedEffect.h"

const char* const kHostCanDos[13] = {
    "sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "reportConnectionChanges", "acceptIOChanges",
    "sizeWindow", "asyncProcessing", "offline", "supplyIdle", "supportShell"};

const char* const kPlugCanDos[23] = {
    "sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
    "receiveVstMidiEvent", "receiveVstTimeInfo", "offline", "plugAsChannelInsert",
    "plugAsSend", "mixDryWet", "noRealTime", "multipass", "metapass", "1in1out", "1in2out",
    "2in1out", "2in2out", "2in4out", "4in2out", "4in4out", "4in8out", "8in4out", "8in8out"};

namespace {

intptr_t yesNo(bool answer) { return answer ? 1 : 0; }

// Opcodes whose ptr is a text or record of the host's: a null one is refused.
bool needsHostBuffer(int32_t opcode) {
    switch (opcode) {
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effGetParameterProperties:
        return true;
    default:
        return false;
    }
}

}  // namespace

intptr_t ExtendedEffect::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
    if (opcode < effProcessEvents || opcode > effGetVstVersion) {
        return EffectBase::dispatch(opcode, index, value, ptr, opt);
    }
    if (needsHostBuffer(opcode) && ptr == nullptr) return 0;
    return dispatchExtended(opcode, index, value, ptr, opt);
}

intptr_t ExtendedEffect::dispatchExtended(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                          float opt) {
    char* text = static_cast<char*>(ptr);
    auto* pin = static_cast<VstPinProperties*>(ptr);
    switch (opcode) {
    case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated: return yesNo(canBeAutomated(index));
    case effString2Parameter: return yesNo(stringToParameter(index, text));
    case effGetNumProgramCategories: return getNumProgramCategories();
    case effGetProgramNameIndexed:
        return yesNo(getProgramNameIndexed(static_cast<int32_t>(value), index, text));
    case effCopyProgram: return yesNo(copyProgram(index));
    case effConnectInput: connectInput(index, value != 0); return 1;
    case effConnectOutput: connectOutput(index, value != 0); return 1;
    case effGetInputProperties: return yesNo(getInputProperties(index, pin));
    case effGetOutputProperties: return yesNo(getOutputProperties(index, pin));
    case effGetPlugCategory: return getPlugCategory();
    case effGetCurrentPosition: return getCurrentPosition();
    case effGetDestinationBuffer: return reinterpret_cast<intptr_t>(getDestinationBuffer());
    case effOfflineNotify:
        return yesNo(offlineNotify(ptr, static_cast<int32_t>(value), index != 0));
    case effOfflinePrepare: return yesNo(offlinePrepare(ptr, static_cast<int32_t>(value)));
    case effOfflineRun: return yesNo(offlineRun(ptr, static_cast<int32_t>(value)));
    case effProcessVarIo: return yesNo(processVarIo(ptr));
    case effSetSpeakerArrangement:
        return yesNo(setSpeakerArrangement(reinterpret_cast<void*>(value), ptr));
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndSampleRate(static_cast<int32_t>(value), opt);
        return 1;
    case effSetBypass: return yesNo(setBypass(value != 0));
    case effGetEffectName: return yesNo(getEffectName(text));
    case effGetErrorText: return yesNo(getErrorText(text));
    case effGetVendorString: return yesNo(getVendorString(text));
    case effGetProductString: return yesNo(getProductString(text));
    case effGetVendorVersion: return getVendorVersion();
    case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
    case effCanDo: return canDo(text);
    case effGetTailSize: return getTailSize();
    case effIdle: return effectIdle();
    case effGetIcon: return reinterpret_cast<intptr_t>(getIcon());
    case effSetViewPosition: return yesNo(setViewPosition(index, static_cast<int32_t>(value)));
    case effGetParameterProperties: return yesNo(getParameterProperties(index, ptr));
    case effKeysRequired: return keysRequired() ? 0 : 1;
    case effGetVstVersion: return getVstVersion();
    default: return 0;
    }
}

int32_t ExtendedEffect::getPlugCategory() {
    return (effect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

// Through the two setters, so a subclass that acts on either (an engine that
// must run at the rate it reports) hears of both.
void ExtendedEffect::setBlockSizeAndSampleRate(int32_t size, float rate) {
    setSampleRate(rate);
    setBlockSize(size);
}

bool ExtendedEffect::hostAnswersYes(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                    float opt) {
    return callHost(opcode, index, value, ptr, opt) != 0;
}

void ExtendedEffect::hostWantMidi(int32_t filter) {
    callHost(audioMasterWantMidi, 0, filter, nullptr, 0.0f);
}

VstTimeInfo* ExtendedEffect::hostGetTime(int32_t filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostTempoAt(int32_t samplePosition) {
    return static_cast<int32_t>(callHost(audioMasterTempoAt, 0, samplePosition, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostAutomatableCount() {
    return static_cast<int32_t>(
        callHost(audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostParameterQuantization() {
    return static_cast<int32_t>(
        callHost(audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f));
}

bool ExtendedEffect::hostIOChanged() {
    return hostAnswersYes(audioMasterIOChanged, 0, 0, nullptr, 0.0f);
}

bool ExtendedEffect::hostNeedIdle() {
    return hostAnswersYes(audioMasterNeedIdle, 0, 0, nullptr, 0.0f);
}

bool ExtendedEffect::hostSizeWindow(int32_t width, int32_t height) {
    return hostAnswersYes(audioMasterSizeWindow, width, height, nullptr, 0.0f);
}

float ExtendedEffect::hostUpdateSampleRate() {
    // The host answers by calling effSetSampleRate; its return value is not the rate.
    callHost(audioMasterGetSampleRate, 0, 0, nullptr, 0.0f);
    return sampleRate;
}

int32_t ExtendedEffect::hostUpdateBlockSize() {
    callHost(audioMasterGetBlockSize, 0, 0, nullptr, 0.0f);
    return blockSize;
}

int32_t ExtendedEffect::hostInputLatency() {
    return static_cast<int32_t>(callHost(audioMasterGetInputLatency, 0, 0, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostOutputLatency() {
    return static_cast<int32_t>(callHost(audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f));
}

AEffect* ExtendedEffect::hostPreviousPlug() {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f));
}

AEffect* ExtendedEffect::hostNextPlug() {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, 0, 0, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostReplaceOrAccumulate() {
    return static_cast<int32_t>(
        callHost(audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostProcessLevel() {
    return static_cast<int32_t>(
        callHost(audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f));
}

int32_t ExtendedEffect::hostAutomationState() {
    return static_cast<int32_t>(callHost(audioMasterGetAutomationState, 0, 0, nullptr, 0.0f));
}

bool ExtendedEffect::hostOfflineRead(void* task, int32_t option, bool readSource) {
    return hostAnswersYes(audioMasterOfflineRead, readSource ? 1 : 0, option, task, 0.0f);
}

bool ExtendedEffect::hostOfflineWrite(void* task, int32_t option) {
    return hostAnswersYes(audioMasterOfflineWrite, 0, option, task, 0.0f);
}

bool ExtendedEffect::hostOfflineStart(void* files, int32_t fileCount, int32_t newFileCount) {
    return hostAnswersYes(audioMasterOfflineStart, newFileCount, fileCount, files, 0.0f);
}

int32_t ExtendedEffect::hostOfflineCurrentPass() {
    return hostAnswersYes(audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f) ? 1 : 0;
}

int32_t ExtendedEffect::hostOfflineCurrentMetaPass() {
    return hostAnswersYes(audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f) ? 1 : 0;
}

void ExtendedEffect::hostSetOutputSampleRate(float rate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

bool ExtendedEffect::hostSpeakerArrangement(void* input, void* output) {
    return hostAnswersYes(audioMasterGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(input),
                          output, 0.0f);
}

bool ExtendedEffect::hostVendorString(char* text) {
    return hostAnswersYes(audioMasterGetVendorString, 0, 0, text, 0.0f);
}

bool ExtendedEffect::hostProductString(char* text) {
    return hostAnswersYes(audioMasterGetProductString, 0, 0, text, 0.0f);
}

int32_t ExtendedEffect::hostVendorVersion() {
    return static_cast<int32_t>(callHost(audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f));
}

intptr_t ExtendedEffect::hostVendorSpecific(int32_t a, intptr_t b, void* ptr, float opt) {
    return callHost(audioMasterVendorSpecific, a, b, ptr, opt);
}

int32_t ExtendedEffect::hostCanDo(char* text) {
    return hostAnswersYes(audioMasterCanDo, 0, 0, text, 0.0f) ? 1 : 0;
}

int32_t ExtendedEffect::hostLanguage() {
    return static_cast<int32_t>(callHost(audioMasterGetLanguage, 0, 0, nullptr, 0.0f));
}

void* ExtendedEffect::hostOpenWindow(void* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window, 0.0f));
}

bool ExtendedEffect::hostCloseWindow(void* window) {
    return hostAnswersYes(audioMasterCloseWindow, 0, 0, window, 0.0f);
}

void* ExtendedEffect::hostDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory, 0, 0, nullptr, 0.0f));
}

bool ExtendedEffect::hostUpdateDisplay() {
    return hostAnswersYes(audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f);
}
