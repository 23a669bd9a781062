// The seven fonts a drawing context can select by number.
#pragma once

#include <cstdint>

enum FontId : int32_t {
    kFontTitle = 0,
    kFontHuge = 1,
    kFontLarge = 2,
    kFontNormal = 3,
    kFontSmall = 4,
    kFontTiny = 5,
    kFontSymbol = 6,
};

inline constexpr int32_t kFontCount = 7;

struct FontEntry {
    const char* faceName;
    int32_t size;  // character height in pixels
    int32_t weight;
    uint8_t pitchAndFamily;
};

// A number outside the table gives kFontTitle.
const FontEntry& fontEntry(int32_t id);
