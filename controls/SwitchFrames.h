// The frame of a multi-position switch's strip that shows a value: frame
// floor(value * (frameCount - 1)) for values in 0..1, the first below, the
// last from 1 on.
#pragma once

#include <cstdint>

#include "gui/Geometry.h"

// Fewer than two positions would divide by zero.
inline constexpr int32_t kMinimumSwitchPositions = 2;

Point switchFrameOffset(float value, int32_t frameCount, int32_t frameHeight);
