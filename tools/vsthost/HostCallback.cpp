#include "tools/vsthost/HostCallback.h"

#include <string_view>

namespace vsthost {
namespace {

constexpr size_t kMostAutomationsKept = 100000;

// What this host does; a plug-in asking about anything else hears "don't know".
constexpr std::string_view kHostCanDo[] = {"sendVstEvents", "sendVstMidiEvent", "sizeWindow", "startStopProcess"};

intptr_t canDo(const void* ptr) {
    if (ptr == nullptr) return 0;
    const std::string_view word(static_cast<const char*>(ptr));
    for (std::string_view known : kHostCanDo)
        if (word == known) return 1;
    return 0;
}

void record(HostState& state, int32_t index, float value) {
    if (state.automations.size() < kMostAutomationsKept) state.automations.push_back({index, value});
}

intptr_t answer(HostState& state, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    switch (opcode) {
        case audioMasterVersion: return kHostVersion;
        case audioMasterAutomate: record(state, index, opt); return 0;
        case audioMasterWantMidi: return 1;
        case audioMasterGetSampleRate: return state.sampleRate;
        case audioMasterGetBlockSize: return state.blockSize;
        case audioMasterCanDo: return canDo(ptr);
        case audioMasterSizeWindow:
            return state.sizeWindow != nullptr && state.sizeWindow(index, static_cast<int32_t>(value)) ? 1 : 0;
        default: return 0;
    }
}

void logCall(std::FILE* log, AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt,
             intptr_t result) {
    std::fprintf(log, "callback %s: effect %p, index %d, value %ld, ptr %p, opt %g -> %ld", callbackName(opcode),
                 static_cast<void*>(effect), static_cast<int>(index), static_cast<long>(value), ptr,
                 static_cast<double>(opt), static_cast<long>(result));
    if (opcode == audioMasterCanDo && ptr != nullptr) std::fprintf(log, " (\"%s\")", static_cast<const char*>(ptr));
    std::fputc('\n', log);
    std::fflush(log);
}

}  // namespace

HostState& hostState() {
    static HostState state;
    return state;
}

intptr_t VSTCALLBACK hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
    HostState& state = hostState();
    const intptr_t result = answer(state, opcode, index, value, ptr, opt);
    if (state.log != nullptr) logCall(state.log, effect, opcode, index, value, ptr, opt, result);
    return result;
}

const char* callbackName(int32_t opcode) {
    static const char* const names[] = {
        "audioMasterAutomate", "audioMasterVersion", "audioMasterCurrentId", "audioMasterIdle",
        "audioMasterPinConnected", "opcode 5", "audioMasterWantMidi", "audioMasterGetTime",
        "opcode 8", "opcode 9", "audioMasterTempoAt", "audioMasterGetNumAutomatableParameters",
        "audioMasterGetParameterQuantization", "audioMasterIOChanged", "audioMasterNeedIdle",
        "audioMasterSizeWindow", "audioMasterGetSampleRate", "audioMasterGetBlockSize",
        "audioMasterGetInputLatency", "audioMasterGetOutputLatency", "audioMasterGetPreviousPlug",
        "audioMasterGetNextPlug", "audioMasterWillReplaceOrAccumulate", "audioMasterGetCurrentProcessLevel",
        "audioMasterGetAutomationState", "audioMasterOfflineStart", "audioMasterOfflineRead",
        "audioMasterOfflineWrite", "audioMasterOfflineGetCurrentPass", "audioMasterOfflineGetCurrentMetaPass",
        "audioMasterSetOutputSampleRate", "audioMasterGetSpeakerArrangement", "audioMasterGetVendorString",
        "audioMasterGetProductString", "audioMasterGetVendorVersion", "audioMasterVendorSpecific",
        "opcode 36", "audioMasterCanDo", "audioMasterGetLanguage", "audioMasterOpenWindow",
        "audioMasterCloseWindow", "audioMasterGetDirectory", "audioMasterUpdateDisplay",
        "audioMasterBeginEdit", "audioMasterEndEdit",
    };
    if (opcode >= 0 && opcode < static_cast<int32_t>(sizeof names / sizeof names[0])) return names[opcode];
    return "opcode out of range";
}

}  // namespace vsthost
