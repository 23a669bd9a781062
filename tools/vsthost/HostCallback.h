// Our answers to a plug-in's callback. The callback carries no context of
// its own (the first call comes before there is a record), so the host's
// state is one object for the whole program.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "host/VstInterface.h"

namespace vsthost {

constexpr intptr_t kHostVersion = 2400;

struct Automation {
    int32_t index = 0;
    float value = 0.0f;
};

struct HostState {
    int32_t sampleRate = 44100;
    int32_t blockSize = 512;
    std::FILE* log = nullptr;  // every callback is written here when set
    std::vector<Automation> automations;  // audioMasterAutomate, in order
    // Resizes the editor window; null when no editor is open.
    bool (*sizeWindow)(int32_t width, int32_t height) = nullptr;
};

HostState& hostState();

intptr_t VSTCALLBACK hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt);

// The interface's name for a callback opcode, for the log.
const char* callbackName(int32_t opcode);

}  // namespace vsthost
