#include "gui/Fonts.h"

#include <windows.h>

namespace {

constexpr uint8_t kSansSerif = VARIABLE_PITCH | FF_SWISS;
constexpr uint8_t kDecorative = DEFAULT_PITCH | FF_DECORATIVE;

constexpr FontEntry kFontTable[kFontCount] = {
    {"Arial", 12, FW_BOLD, kSansSerif},
    {"Arial", 18, FW_NORMAL, kSansSerif},
    {"Arial", 14, FW_NORMAL, kSansSerif},
    {"Arial", 12, FW_NORMAL, kSansSerif},
    {"Arial", 11, FW_NORMAL, kSansSerif},
    {"Small Fonts", 9, FW_NORMAL, kSansSerif},
    {"Symbol", 13, FW_NORMAL, kDecorative},
};

}  // namespace

const FontEntry& fontEntry(int32_t id) {
    return (id < 0 || id >= kFontCount) ? kFontTable[kFontTitle] : kFontTable[id];
}
