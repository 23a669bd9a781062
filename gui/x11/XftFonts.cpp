#include "gui/x11/XftFonts.h"

#include <cstring>

namespace {

constexpr int32_t kBoldWeight = 700;

struct StandIn {
    const char* faceName;
    const char* family;
};

constexpr StandIn kStandIns[] = {
    {"Arial", "Liberation Sans"},
    {"Small Fonts", "Liberation Sans"},
    {"Symbol", "DejaVu Sans"},
};

}  // namespace

const char* standInFamily(const char* faceName) {
    for (const StandIn& standIn : kStandIns) {
        if (std::strcmp(standIn.faceName, faceName) == 0) return standIn.family;
    }
    return "Liberation Sans";
}

XftFont* openFont(Display* display, const FontEntry& entry, int32_t pixelSize, int32_t weight) {
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return nullptr;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(entry.faceName));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(standInFamily(entry.faceName)));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelSize > 0 ? pixelSize : 1);
    FcPatternAddInteger(pattern, FC_WEIGHT, weight >= kBoldWeight ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_ANTIALIAS, FcTrue);
    FcResult result = FcResultNoMatch;
    FcPattern* match = XftFontMatch(display, DefaultScreen(display), pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return nullptr;
    XftFont* font = XftFontOpenPattern(display, match);  // owns match from here on
    if (!font) FcPatternDestroy(match);
    return font;
}

XftColor xftColor(unsigned long pixel, Color color) {
    XftColor result{};
    result.pixel = pixel;
    result.color.red = static_cast<unsigned short>(color.red * 257);
    result.color.green = static_cast<unsigned short>(color.green * 257);
    result.color.blue = static_cast<unsigned short>(color.blue * 257);
    result.color.alpha = 0xFFFF;
    return result;
}
