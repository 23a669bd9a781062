#include "instrument/ParameterNames.h"

#include <iterator>

#include "synth/ParameterIndex.h"

const char* const kParameterLabel = " %  ";

namespace {

const char* const kNames[] = {
    "Stick Hardness", "Strike Position", "Strike Gain", "Vibr Gain",
    "Ratios",         "Ratios",          "Ratios",      "Ratios",
    "Resonance",      "Resonance",       "Resonance",   "Resonance",
    "Modal gain",     "Modal gain",      "Modal gain",  "Modal gain",
    "Vibr Speed",     "Stereo Spread",   "Vibr On/Off",
};
static_assert(std::size(kNames) == kParameterCount, "every parameter has its name");

}  // namespace

const char* parameterName(int32_t index) {
    return index >= 0 && index < kParameterCount ? kNames[index] : nullptr;
}
