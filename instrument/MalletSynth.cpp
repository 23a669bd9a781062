#include "instrument/MalletSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "instrument/FactoryPrograms.h"
#include "instrument/ParameterNames.h"

namespace {

const char kProductName[] = "zavTolvek";
const char kVendorName[] = "zav";

bool isParameter(int32_t index) { return index >= 0 && index < MalletSynth::kParamCount; }
bool isProgram(int32_t index) { return index >= 0 && index < MalletSynth::kProgramCount; }

}  // namespace

MalletSynth::MalletSynth(audioMasterCallback callback)
    : ExtendedEffect(callback, kProgramCount, kParamCount) {
    if (callback) {
        setInputCount(0);
        setOutputCount(2);
        setReplacingFlag(true);
        setVuFlag(false);
        setClipFlag(false);
        setSynthFlag(true);
        setEffectId(fourCharCode('T', 'o', 'l', 'i'));
    }
    for (int32_t i = 0; i < kProgramCount; ++i) buildFactoryProgram(programs[i], i);
    currentProgram = 0;
    for (int32_t j = 0; j < kParamCount; ++j) setParameter(j, programs[0].values[j]);
    // No processing call can run yet: the engine takes program 0 now.
    applySettings();
}

// Hosts are trusted with nothing here: a value the engine cannot take safely
// (outside 0..1, or not a number) must not reach a resonator.
void MalletSynth::setParameter(int32_t index, float value) {
    if (!isParameter(index) || std::isnan(value)) return;
    value = std::clamp(value, 0.0f, 1.0f);
    programs[currentProgram].values[index].store(value);
    settings.write(index, value);
}

float MalletSynth::getParameter(int32_t index) {
    return isParameter(index) ? settings.latest(index) : 0.0f;
}

// The engine takes the whole program in one processing call.
void MalletSynth::setProgram(int32_t program) {
    if (!isProgram(program)) return;
    settings.beginGroup();
    currentProgram = program;
    for (int32_t i = 0; i < kParamCount; ++i) setParameter(i, programs[program].values[i]);
    settings.endGroup();
}

void MalletSynth::setProgramName(char* name) {
    const std::lock_guard<std::mutex> hold(nameLock);
    programs[currentProgram].setName(name);
}

void MalletSynth::getProgramName(char* name) {
    const std::lock_guard<std::mutex> hold(nameLock);
    std::strcpy(name, programs[currentProgram].name);
}

void MalletSynth::getParamLabel(int32_t, char* text) { std::strcpy(text, kParameterLabel); }

void MalletSynth::getParamDisplay(int32_t index, char* text) {
    text[0] = 0;
    if (isParameter(index)) floatToText(settings.latest(index), text);
}

void MalletSynth::getParamName(int32_t index, char* text) {
    if (const char* name = parameterName(index)) std::strcpy(text, name);
}

bool MalletSynth::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (!isProgram(index)) return false;
    const std::lock_guard<std::mutex> hold(nameLock);
    std::strcpy(text, programs[index].name);
    return true;
}

bool MalletSynth::copyProgram(int32_t destination) {
    if (!isProgram(destination)) return false;
    const std::lock_guard<std::mutex> hold(nameLock);
    programs[destination] = programs[currentProgram];
    return true;
}

bool MalletSynth::getOutputProperties(int32_t index, VstPinProperties* properties) {
    if (index < 0 || index > 1 || !properties) return false;
    std::snprintf(properties->label, sizeof(properties->label), "Tolvek %1d",
                  static_cast<int>(index + 1));
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool MalletSynth::getEffectName(char* text) {
    std::strcpy(text, kProductName);
    return true;
}

bool MalletSynth::getVendorString(char* text) {
    std::strcpy(text, kVendorName);
    return true;
}

bool MalletSynth::getProductString(char* text) {
    std::strcpy(text, kProductName);
    return true;
}

bool MalletSynth::getErrorText(char* text) {
    const uint32_t dropped = eventQueue.droppedCount();
    if (dropped == 0 || !text) return false;
    // Short enough for the smallest text buffer a host hands out.
    std::snprintf(text, 32, "%u MIDI events dropped", static_cast<unsigned>(dropped));
    return true;
}

int32_t MalletSynth::canDo(char* text) {
    if (!text) return -1;
    const bool receivesMidi = std::strcmp(text, "receiveVstEvents") == 0 ||
                              std::strcmp(text, "receiveVstMidiEvent") == 0;
    return receivesMidi ? 1 : -1;
}
