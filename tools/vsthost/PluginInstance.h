// One plug-in object as the host holds it: its record, with the calls a host
// makes on it spelled out, and effClose when the host lets go.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace vsthost {

class PluginInstance {
public:
    // Takes over the record; it is closed with effClose on destruction.
    explicit PluginInstance(AEffect* record) : effect(record) {}
    ~PluginInstance() { close(); }
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* record() const { return effect; }
    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    // A text query answered into a buffer of ours; always terminated.
    std::string text(int32_t opcode, int32_t index = 0, intptr_t value = 0);

    void open() { dispatch(effOpen); }
    void prepare(int32_t sampleRate, int32_t blockSize);
    void resume() { dispatch(effMainsChanged, 0, 1); }
    void suspend() { dispatch(effMainsChanged, 0, 0); }
    void close();

    std::vector<std::string> programNames();
    std::vector<std::string> parameterNames();
    void setParameter(int32_t index, float value) { effect->setParameter(effect, index, value); }
    float getParameter(int32_t index) { return effect->getParameter(effect, index); }

    int32_t inputCount() const;
    int32_t outputCount() const;
    bool hasEditor() const { return (effect->flags & effFlagsHasEditor) != 0; }

private:
    AEffect* effect;
};

}  // namespace vsthost
