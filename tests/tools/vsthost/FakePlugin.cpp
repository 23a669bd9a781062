#include "tests/tools/vsthost/FakePlugin.h"

#include <cstdio>
#include <cstring>

namespace vsthost::test {

FakePlugin::FakePlugin() {
    effect.magic = kEffectMagic;
    effect.dispatcher = &FakePlugin::dispatcher;
    effect.process = &FakePlugin::processAdding;
    effect.processReplacing = &FakePlugin::processReplacing;
    effect.setParameter = &FakePlugin::setParameter;
    effect.getParameter = &FakePlugin::getParameter;
    effect.numPrograms = 3;
    effect.numParams = 3;
    effect.numInputs = 0;
    effect.numOutputs = 2;
    effect.flags = effFlagsCanReplacing | effFlagsIsSynth;
    effect.uniqueID = fourCharCode('F', 'a', 'k', 'e');
    effect.object = this;
}

int FakePlugin::countOf(int32_t opcode) const {
    int count = 0;
    for (const auto& call : calls) count += call.opcode == opcode ? 1 : 0;
    return count;
}

int FakePlugin::positionOf(int32_t opcode, intptr_t value) const {
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].opcode == opcode && (value == -1 || calls[i].value == value)) return static_cast<int>(i);
    return -1;
}

intptr_t FakePlugin::dispatcher(AEffect* e, int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return of(e).dispatch(opcode, index, value, ptr, opt);
}

intptr_t FakePlugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    calls.push_back({opcode, index, value, opt});
    auto* text = static_cast<char*>(ptr);
    const char* const names[] = {"Level", "Tone", "Width"};
    switch (opcode) {
        case effSetBlockSize: blockSize = static_cast<int32_t>(value); return 0;
        case effMainsChanged: resumed = value != 0; return 0;
        case effSetProgram: currentProgram = static_cast<int32_t>(value); return 0;
        case effGetProgram: return currentProgram;
        case effGetProgramNameIndexed:
            if (index < 0 || index >= 3) return 0;
            std::strcpy(text, programs[static_cast<size_t>(index)].c_str());
            return 1;
        case effGetParamName: std::strcpy(text, names[index % 3]); return 0;
        case effGetParamLabel: std::strcpy(text, "dB"); return 0;
        case effGetParamDisplay: std::snprintf(text, 16, "%.2f", static_cast<double>(parameters[index % 3])); return 0;
        case effGetEffectName: std::strcpy(text, "Fake Effect"); return 1;
        case effGetVendorString: std::strcpy(text, "Tests"); return 1;
        case effGetProductString: std::strcpy(text, "Fake"); return 1;
        case effGetVendorVersion: return 7;
        case effGetPlugCategory: return kPlugCategSynth;
        case effGetVstVersion: return 2400;
        case effCanDo: return std::strcmp(text, "receiveVstEvents") == 0 ? 1 : (std::strcmp(text, "offline") == 0 ? -1 : 0);
        case effGetOutputProperties: {
            if (index != 0) return 0;
            auto* pin = static_cast<VstPinProperties*>(ptr);
            std::strcpy(pin->label, "Fake Out");
            pin->flags = kVstPinIsActive | kVstPinIsStereo;
            return 1;
        }
        case effProcessEvents: received(static_cast<const VstEvents*>(ptr)); return 1;
        default: return 0;
    }
}

void FakePlugin::received(const VstEvents* list) {
    lastList = list;
    lastCopy.clear();
    for (int32_t i = 0; i < list->numEvents; ++i) {
        VstMidiEvent copy;
        std::memcpy(&copy, list->events[i], sizeof copy);
        lastCopy.push_back(copy);
        events.push_back({static_cast<int>(blockSizes.size()), copy.deltaFrames, copy.midiData[0], copy.midiData[1]});
    }
}

// The events of this block must still be there, unchanged, while it is processed.
void FakePlugin::checkBlock(float**, int32_t frames) {
    if (!resumed) processedWhileSuspended = true;
    blockSizes.push_back(frames);
    if (lastList == nullptr) return;
    if (lastList->numEvents != static_cast<int32_t>(lastCopy.size())) eventsIntactAtProcessing = false;
    for (size_t i = 0; i < lastCopy.size() && eventsIntactAtProcessing; ++i)
        if (std::memcmp(lastList->events[i], &lastCopy[i], sizeof(VstMidiEvent)) != 0) eventsIntactAtProcessing = false;
    lastList = nullptr;
}

void FakePlugin::processAdding(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    FakePlugin& plugin = of(e);
    if (inputs == nullptr || outputs == nullptr) plugin.gotNullPointers = true;
    plugin.checkBlock(outputs, frames);
    ++plugin.accumulatingCalls;
    for (int c = 0; c < 2; ++c)
        for (int32_t i = 0; i < frames; ++i) outputs[c][i] += plugin.addedLevel * (c == 0 ? 1.0f : -1.0f);
}

void FakePlugin::processReplacing(AEffect* e, float** inputs, float** outputs, int32_t frames) {
    FakePlugin& plugin = of(e);
    if (inputs == nullptr || outputs == nullptr) plugin.gotNullPointers = true;
    plugin.checkBlock(outputs, frames);
    ++plugin.replacingCalls;
    for (int c = 0; c < 2; ++c)
        for (int32_t i = 0; i < frames; ++i) outputs[c][i] = plugin.replacingLevel * (c == 0 ? 1.0f : -1.0f);
}

void FakePlugin::setParameter(AEffect* e, int32_t index, float value) {
    FakePlugin& plugin = of(e);
    plugin.calls.push_back({kSetParameterCall, index, 0, value});
    plugin.parameterChanges.emplace_back(index, value);
    if (index >= 0 && index < 3) plugin.parameters[index] = value;
}

float FakePlugin::getParameter(AEffect* e, int32_t index) {
    return index >= 0 && index < 3 ? of(e).parameters[index] : 0.0f;
}

}  // namespace vsthost::test
