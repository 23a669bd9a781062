// The instrument's 19 parameters by host index. The four per-mode groups run
// from their first index for modes 0 to 3.
#pragma once

#include <cstdint>

enum ParameterIndex : int32_t {
    kStickHardness = 0,
    kStrikePosition = 1,
    kStrikeGain = 2,
    kVibratoGain = 3,
    kFirstRatio = 4,
    kFirstResonance = 8,
    kFirstModalGain = 12,
    kVibratoSpeed = 16,
    kStereoSpread = 17,
    kVibratoSwitch = 18,
    kParameterCount = 19,
};
