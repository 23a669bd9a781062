#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The normalised values of the instrument's seven factory programs, built
// from their physical values the way the instrument builds them.
using ProgramValues = std::array<float, 19>;

enum FactoryProgram : int32_t {
    kMarimba = 0,
    kVibraphone,
    kWoodblock,
    kBell,
    kYarbo,
    kKestrimund,
    kOrvane,
    kFactoryProgramCount
};

ProgramValues factoryProgramValues(int32_t program);

template <typename Target>
void applyProgram(Target& target, int32_t program)
{
    const ProgramValues values = factoryProgramValues(program);
    for (int32_t index = 0; index < static_cast<int32_t>(values.size()); ++index)
        target.setParameter(index, values[static_cast<std::size_t>(index)]);
}
