#include "tests/host/RecordingHost.h"

namespace RecordingHost {

std::vector<HostCall> calls;
intptr_t answer = 0;
intptr_t versionAnswer = 2400;

void reset() {
    calls.clear();
    answer = 0;
    versionAnswer = 2400;
}

intptr_t VSTCALLBACK callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                              void* ptr, float opt) {
    calls.push_back({effect, opcode, index, value, ptr, opt});
    return opcode == audioMasterVersion ? versionAnswer : answer;
}

}  // namespace RecordingHost
