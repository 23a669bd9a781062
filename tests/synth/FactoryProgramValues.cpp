#include "FactoryProgramValues.h"

namespace {

struct PhysicalProgram {
    double ratios[4];
    double radii[4];
    double gains[4];
    double hardness;
    double strike;
};

constexpr PhysicalProgram kPrograms[kFactoryProgramCount] = {
    {{1, 3.99, 10.65, 15.377}, {0.9996, 0.9994, 0.9994, 0.999}, {0.04, 0.03, 0.02, 0.02}, 0.429688, 0.445312},
    {{1, 2.01, 3.9, 14.37}, {0.9999, 0.9999, 0.9999, 0.9999}, {0.025, 0.015, 0.015, 0.015}, 0.390625, 0.570312},
    {{1, 2.777, 7.378, 15.377}, {0.996, 0.994, 0.994, 0.99}, {0.04, 0.01, 0.01, 0.008}, 0.460938, 0.375},
    {{1, 2.777, 7.378, 15.377}, {0.9999, 0.9999, 0.9999, 0.9999}, {0.02, 0.005, 0.005, 0.004}, 0.453125, 0.25},
    {{1, 1.777, 2.378, 3.377}, {0.996, 0.994, 0.994, 0.99}, {0.04, 0.01, 0.01, 0.008}, 0.3125, 0.445312},
    {{1, 1.004, 1.013, 2.377}, {0.9999, 0.9999, 0.9999, 0.999}, {0.02, 0.005, 0.005, 0.004}, 0.398438, 0.296875},
    {{1, 1.217, 1.475, 1.729}, {0.999, 0.999, 0.999, 0.999}, {0.03, 0.03, 0.03, 0.03}, 0.390625, 0.570312},
};

}  // namespace

ProgramValues factoryProgramValues(int32_t program)
{
    const PhysicalProgram& source = kPrograms[program >= 0 && program < kFactoryProgramCount ? program : 0];
    ProgramValues values{};
    for (std::size_t mode = 0; mode < 4; ++mode) {
        values[4 + mode] = static_cast<float>((source.ratios[mode] - 1.0) * 0.06666666666666667);
        values[8 + mode] = static_cast<float>((source.radii[mode] - 0.99) * 101.010101010101);
        values[12 + mode] = static_cast<float>((source.gains[mode] - 0.004) * 17.857142857142858);
    }
    values[0] = static_cast<float>(source.hardness);
    values[1] = static_cast<float>(source.strike);
    values[2] = static_cast<float>(source.strike);
    if (program == kVibraphone) {
        values[3] = 0.2f;
        values[16] = 0.05f;
        values[18] = 1.0f;
    }
    values[17] = 1.0f;
    for (std::size_t index = 0; index <= 6; ++index) {
        if (values[index] > 1.0f)
            values[index] = 1.0f;
    }
    return values;
}
