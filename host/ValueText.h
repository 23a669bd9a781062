// Fixed-width texts a host shows beside a parameter: at most 8 characters and
// a terminating zero, so 9 bytes always suffice.
#pragma once

#include <cstdint>

constexpr int kValueTextSize = 9;

void writeFloatText(float value, char* text);
void writeIntegerText(int32_t value, char* text);
void writeMinusInfinityText(char* text);
