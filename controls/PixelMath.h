// Float-to-pixel conversion that survives any value a host or an owner can
// set: converting a float out of int range, or not a number, is undefined.
#pragma once

#include <cmath>
#include <cstdint>

// Far beyond any screen, and small enough that sums of a few such numbers and
// ordinary coordinates cannot overflow.
inline constexpr double kPixelLimit = 16777216.0;

// Truncates toward zero; not a number gives 0.
inline int32_t truncToPixels(double x) {
    if (!(x > -kPixelLimit)) return x != x ? 0 : -static_cast<int32_t>(kPixelLimit);
    if (x > kPixelLimit) return static_cast<int32_t>(kPixelLimit);
    return static_cast<int32_t>(std::trunc(x));
}
