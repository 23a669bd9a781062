#include "tools/vsthost/PluginInstance.h"

#include <algorithm>
#include <array>

#include "tools/vsthost/HostCallback.h"

namespace vsthost {
namespace {

// Plug-ins write names longer than the interface allows; give them room.
constexpr size_t kTextRoom = 512;
constexpr int32_t kMostPins = 64;

}  // namespace

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    if (effect == nullptr) return 0;
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string PluginInstance::text(int32_t opcode, int32_t index, intptr_t value) {
    std::array<char, kTextRoom> buffer{};
    dispatch(opcode, index, value, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

void PluginInstance::prepare(int32_t sampleRate, int32_t blockSize) {
    HostState& state = hostState();
    state.sampleRate = sampleRate;
    state.blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
}

void PluginInstance::close() {
    if (effect == nullptr) return;
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    effect = nullptr;
}

std::vector<std::string> PluginInstance::programNames() {
    std::vector<std::string> names;
    const int32_t count = std::max(effect->numPrograms, 0);
    bool indexed = true;
    for (int32_t i = 0; i < count && indexed; ++i) {
        std::array<char, kTextRoom> buffer{};
        indexed = dispatch(effGetProgramNameIndexed, i, 0, buffer.data()) != 0;
        buffer.back() = '\0';
        names.emplace_back(buffer.data());
    }
    if (indexed) return names;
    // Older plug-ins only name the current program: visit each, then go back.
    names.clear();
    const intptr_t current = dispatch(effGetProgram);
    for (int32_t i = 0; i < count; ++i) {
        dispatch(effSetProgram, 0, i);
        names.push_back(text(effGetProgramName));
    }
    dispatch(effSetProgram, 0, current);
    return names;
}

std::vector<std::string> PluginInstance::parameterNames() {
    std::vector<std::string> names;
    for (int32_t i = 0; i < effect->numParams; ++i) names.push_back(text(effGetParamName, i));
    return names;
}

int32_t PluginInstance::inputCount() const { return std::clamp(effect->numInputs, 0, kMostPins); }
int32_t PluginInstance::outputCount() const { return std::clamp(effect->numOutputs, 0, kMostPins); }

}  // namespace vsthost
