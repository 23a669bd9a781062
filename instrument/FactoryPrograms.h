// The seven factory programs, built from physical mode data.
#pragma once

#include <cstdint>

#include "instrument/MalletProgram.h"

constexpr int32_t kFactoryProgramCount = 7;

// Overwrites every value and the name; an index outside 0 to 6 builds program 0.
void buildFactoryProgram(MalletProgram& program, int32_t index);
