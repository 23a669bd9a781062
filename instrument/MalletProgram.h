// One program of the instrument: the 19 normalised parameter values and a name.
#pragma once

#include <cstdint>
#include <cstring>

struct MalletProgram {
    static constexpr int32_t kValueCount = 19;
    static constexpr int32_t kNameSize = 24;  // 23 characters and the terminating zero

    MalletProgram() {
        for (float& value : values) value = 0.5f;
        setName("Basic");
    }

    // Longer texts are cut: the record must never be overrun.
    void setName(const char* text) {
        std::strncpy(name, text, kNameSize - 1);
        name[kNameSize - 1] = 0;
    }

    float values[kValueCount];
    char name[kNameSize];
};
