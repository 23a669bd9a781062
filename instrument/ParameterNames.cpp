#include "instrument/ParameterNames.h"

#include "instrument/MalletProgram.h"

const char* const kParameterLabel = " %  ";

namespace {

const char* const kNames[MalletProgram::kValueCount] = {
    "Stick Hardness", "Strike Position", "Strike Gain", "Vibr Gain",
    "Ratios",         "Ratios",          "Ratios",      "Ratios",
    "Resonance",      "Resonance",       "Resonance",   "Resonance",
    "Modal gain",     "Modal gain",      "Modal gain",  "Modal gain",
    "Vibr Speed",     "Stereo Spread",   "Vibr On/Off",
};

}  // namespace

const char* parameterName(int32_t index) {
    return index >= 0 && index < MalletProgram::kValueCount ? kNames[index] : nullptr;
}
