// A host callback for tests: records every call and answers what it is told.
#pragma once

#include <cstdint>
#include <vector>

#include "host/VstInterface.h"

struct HostCall {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

namespace RecordingHost {
extern std::vector<HostCall> calls;
extern intptr_t answer;  // returned to every opcode but the version query
extern intptr_t versionAnswer;
void reset();
intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                              void* ptr, float opt);
}  // namespace RecordingHost
