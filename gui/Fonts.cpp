#include "gui/Fonts.h"

namespace {

// The platform's pitch-and-family bits (Win32's LOGFONT values).
constexpr uint8_t kVariablePitch = 0x02;
constexpr uint8_t kSwissFamily = 0x20;
constexpr uint8_t kDecorativeFamily = 0x50;
constexpr uint8_t kSansSerif = kVariablePitch | kSwissFamily;
constexpr uint8_t kDecorative = kDecorativeFamily;
constexpr int32_t kNormal = 400;
constexpr int32_t kBold = 700;

constexpr FontEntry kFontTable[kFontCount] = {
    {"Arial", 12, kBold, kSansSerif},
    {"Arial", 18, kNormal, kSansSerif},
    {"Arial", 14, kNormal, kSansSerif},
    {"Arial", 12, kNormal, kSansSerif},
    {"Arial", 11, kNormal, kSansSerif},
    {"Small Fonts", 9, kNormal, kSansSerif},
    {"Symbol", 13, kNormal, kDecorative},
};

}  // namespace

const FontEntry& fontEntry(int32_t id) {
    return (id < 0 || id >= kFontCount) ? kFontTable[kFontTitle] : kFontTable[id];
}
