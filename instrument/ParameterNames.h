// Names and label the host shows for the instrument's 19 parameters.
#pragma once

#include <cstdint>

// The same label for every parameter: blank, percent sign, two blanks.
extern const char* const kParameterLabel;

// Null for an index outside 0 to 18.
const char* parameterName(int32_t index);
