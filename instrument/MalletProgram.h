// One program of the instrument: the normalised parameter values and a name.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>

#include "synth/ParameterIndex.h"

struct MalletProgram {
    static constexpr int32_t kNameSize = 24;  // 23 characters and the terminating zero

    MalletProgram() {
        for (std::atomic<float>& value : values) value.store(0.5f);
        setName("Basic");
    }
    MalletProgram(const MalletProgram&) = delete;

    // Values and name, whole.
    MalletProgram& operator=(const MalletProgram& other) {
        for (int32_t i = 0; i < kParameterCount; ++i) values[i].store(other.values[i].load());
        std::memcpy(name, other.name, sizeof name);
        return *this;
    }

    // Longer texts are cut: the record must never be overrun. The rest is
    // zeroed, so a saved name carries nothing of an earlier one.
    void setName(const char* text) {
        const size_t length = strnlen(text, kNameSize - 1);
        std::memcpy(name, text, length);
        std::memset(name + length, 0, kNameSize - length);
    }

    // Atomic because automation on the audio thread stores into the current
    // program while the host reads the bank from its own thread.
    std::atomic<float> values[kParameterCount];
    char name[kNameSize];
};
