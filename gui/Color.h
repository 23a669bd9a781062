// Four-byte colours and the toolkit's named colours.
#pragma once

#include <cstdint>

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t spare = 0;  // carried along, never drawn

    // The platform's 24-bit colour reference; spare is dropped.
    constexpr uint32_t toColorRef() const {
        return static_cast<uint32_t>(red) | static_cast<uint32_t>(green) << 8 |
               static_cast<uint32_t>(blue) << 16;
    }
};

// Colours that differ only in spare are the same colour.
constexpr bool operator==(const Color& a, const Color& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
constexpr bool operator!=(const Color& a, const Color& b) { return !(a == b); }

// Key colour of transparent picture drawing; equal in value to kWhiteColor
// but kept apart so that neither use changes the other.
inline constexpr Color kTransparentColor{255, 255, 255, 0};
inline constexpr Color kBlackColor{0, 0, 0, 0};
inline constexpr Color kWhiteColor{255, 255, 255, 0};
inline constexpr Color kGreyColor{127, 127, 127, 0};
inline constexpr Color kRedColor{255, 0, 0, 0};
inline constexpr Color kGreenColor{0, 255, 0, 0};
inline constexpr Color kBlueColor{0, 0, 255, 0};
inline constexpr Color kYellowColor{255, 255, 0, 0};
inline constexpr Color kMagentaColor{255, 0, 255, 0};
inline constexpr Color kCyanColor{0, 255, 255, 0};
