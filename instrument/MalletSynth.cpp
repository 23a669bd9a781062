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
        // Hosts then keep every program and its name in the project, not
        // only the current values.
        setChunksFlag(true);
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

void MalletSynth::getParamLabel(int32_t index, char* text) {
    std::strcpy(text, isParameter(index) ? kParameterLabel : "");
}

void MalletSynth::getParamDisplay(int32_t index, char* text) {
    text[0] = 0;
    if (isParameter(index)) floatToText(settings.latest(index), text);
}

void MalletSynth::getParamName(int32_t index, char* text) {
    const char* name = parameterName(index);
    std::strcpy(text, name != nullptr ? name : "");
}

bool MalletSynth::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (!isProgram(index)) {
        if (text) text[0] = 0;
        return false;
    }
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
    if (!text) return false;
    const uint32_t dropped = eventQueue.takeDroppedCount();
    if (dropped == 0) return false;
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

ProgramState MalletSynth::programState(int32_t index) {
    ProgramState state;
    for (int32_t j = 0; j < kParamCount; ++j) state.values[j] = programs[index].values[j].load();
    const std::lock_guard<std::mutex> hold(nameLock);
    std::memcpy(state.name, programs[index].name, sizeof state.name);
    return state;
}

void MalletSynth::storeProgram(int32_t index, const ProgramState& state) {
    for (int32_t j = 0; j < kParamCount; ++j) programs[index].values[j].store(state.values[j]);
    const std::lock_guard<std::mutex> hold(nameLock);
    programs[index].setName(state.name);
}

int32_t MalletSynth::getChunk(void** data, bool isPreset) {
    if (!data) return 0;
    const std::lock_guard<std::mutex> hold(chunkLock);
    const int32_t current = currentProgram;
    int32_t size = 0;
    if (isPreset) {
        size = state_chunk::writeProgram(programState(current), current, chunkBytes);
    } else {
        BankState bank;
        for (int32_t i = 0; i < kProgramCount; ++i) bank.programs[i] = programState(i);
        bank.currentProgram = current;
        size = state_chunk::writeBank(bank, chunkBytes);
    }
    *data = chunkBytes;
    return size;
}

// Everything is read and checked before the first change. The engine and the
// editor then take the new current program as one group, as any program change.
int32_t MalletSynth::setChunk(void* data, int32_t byteSize, bool isPreset) {
    if (isPreset) {
        ProgramState program;
        if (!state_chunk::readProgram(data, byteSize, program)) return 0;
        const int32_t current = currentProgram;
        storeProgram(current, program);
        setProgram(current);
        return 1;
    }
    BankState bank;
    if (!state_chunk::readBank(data, byteSize, bank)) return 0;
    for (int32_t i = 0; i < kProgramCount; ++i) storeProgram(i, bank.programs[i]);
    setProgram(bank.currentProgram);
    return 1;
}
