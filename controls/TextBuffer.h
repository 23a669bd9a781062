// The fixed 256-byte text buffers of the text controls.
#pragma once

#include <cstddef>
#include <cstring>

inline constexpr size_t kTextSize = 256;

// destination holds kTextSize bytes; the text is cut to 255 characters, and a
// null text gives the empty text.
inline void copyText(char* destination, const char* source) {
    if (!source) source = "";
    const size_t length = strnlen(source, kTextSize - 1);
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}
