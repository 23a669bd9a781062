// One program of the instrument: the 19 normalised parameter values and a name.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>

struct MalletProgram {
    static constexpr int32_t kValueCount = 19;
    static constexpr int32_t kNameSize = 24;  // 23 characters and the terminating zero

    MalletProgram() {
        for (std::atomic<float>& value : values) value.store(0.5f);
        setName("Basic");
    }
    MalletProgram(const MalletProgram&) = delete;

    // Values and name, whole.
    MalletProgram& operator=(const MalletProgram& other) {
        for (int32_t i = 0; i < kValueCount; ++i) values[i].store(other.values[i].load());
        std::memcpy(name, other.name, sizeof name);
        return *this;
    }

    // Longer texts are cut: the record must never be overrun.
    void setName(const char* text) {
        std::strncpy(name, text, kNameSize - 1);
        name[kNameSize - 1] = 0;
    }

    // Atomic because automation on the audio thread stores into the current
    // program while the host reads the bank from its own thread.
    std::atomic<float> values[kValueCount];
    char name[kNameSize];
};
