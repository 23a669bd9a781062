// A plug-in record driven by the host's code in tests: it remembers every
// call, checks that the events of a block are still readable when the block
// is processed, and writes a known signal.
#pragma once

#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace vsthost::test {

// Parameter changes are listed among the dispatcher calls under this opcode.
constexpr int32_t kSetParameterCall = -100;

struct DispatchCall {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    float opt;
};

struct ReceivedEvent {
    int block;  // processing calls made before the event arrived
    int32_t deltaFrames;
    uint8_t status;
    uint8_t data1;
};

class FakePlugin {
public:
    FakePlugin();
    FakePlugin(const FakePlugin&) = delete;
    FakePlugin& operator=(const FakePlugin&) = delete;

    AEffect* record() { return &effect; }

    std::vector<DispatchCall> calls;
    std::vector<ReceivedEvent> events;
    std::vector<int32_t> blockSizes;  // frames of every processing call
    std::vector<std::pair<int32_t, float>> parameterChanges;
    std::vector<std::string> programs = {"Alpha", "Beta", "Gamma"};
    int replacingCalls = 0;
    int accumulatingCalls = 0;
    bool eventsIntactAtProcessing = true;
    bool processedWhileSuspended = false;
    bool gotNullPointers = false;  // inputs or outputs missing in a processing call
    float replacingLevel = 0.5f;
    float addedLevel = 0.25f;

    int countOf(int32_t opcode) const;
    // Index of the first call with this opcode (and value, if given), or -1.
    int positionOf(int32_t opcode, intptr_t value = -1) const;

private:
    static intptr_t VSTCALLBACK dispatcher(AEffect*, int32_t, int32_t, intptr_t, void*, float);
    static void VSTCALLBACK processAdding(AEffect*, float**, float**, int32_t);
    static void VSTCALLBACK processReplacing(AEffect*, float**, float**, int32_t);
    static void VSTCALLBACK setParameter(AEffect*, int32_t, float);
    static float VSTCALLBACK getParameter(AEffect*, int32_t);
    static FakePlugin& of(AEffect* effect) { return *static_cast<FakePlugin*>(effect->object); }

    intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
    void received(const VstEvents* list);
    void checkBlock(float** outputs, int32_t frames);

    AEffect effect{};
    bool resumed = false;
    int32_t blockSize = 0;
    int32_t currentProgram = 0;
    float parameters[3] = {};
    const VstEvents* lastList = nullptr;
    std::vector<VstMidiEvent> lastCopy;
};

}  // namespace vsthost::test
