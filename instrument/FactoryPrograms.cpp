#include "instrument/FactoryPrograms.h"

#include "synth/ParameterIndex.h"

namespace {

struct ModalBody {
    const char* name;
    double ratios[4];
    double radii[4];
    double gains[4];
    double hardness;
    double strike;
};

const ModalBody kBodies[kFactoryProgramCount] = {
    {"Marimba", {1, 3.99, 10.65, 15.377}, {0.9996, 0.9994, 0.9994, 0.999},
     {0.04, 0.03, 0.02, 0.02}, 0.429688, 0.445312},
    {"Vibraphone", {1, 2.01, 3.9, 14.37}, {0.9999, 0.9999, 0.9999, 0.9999},
     {0.025, 0.015, 0.015, 0.015}, 0.390625, 0.570312},
    {"Woodblock", {1, 2.777, 7.378, 15.377}, {0.996, 0.994, 0.994, 0.99},
     {0.04, 0.01, 0.01, 0.008}, 0.460938, 0.375},
    {"Bell", {1, 2.777, 7.378, 15.377}, {0.9999, 0.9999, 0.9999, 0.9999},
     {0.02, 0.005, 0.005, 0.004}, 0.453125, 0.25},
    {"Yarbo", {1, 1.777, 2.378, 3.377}, {0.996, 0.994, 0.994, 0.99},
     {0.04, 0.01, 0.01, 0.008}, 0.3125, 0.445312},
    {"Kestrimund", {1, 1.004, 1.013, 2.377}, {0.9999, 0.9999, 0.9999, 0.999},
     {0.02, 0.005, 0.005, 0.004}, 0.398438, 0.296875},
    {"Orvane", {1, 1.217, 1.475, 1.729}, {0.999, 0.999, 0.999, 0.999},
     {0.03, 0.03, 0.03, 0.03}, 0.390625, 0.570312},
};

constexpr int32_t kVibraphone = 1;

// These scalings are not the inverses of the engine's mappings; the programs
// keep the values they give all the same.
void storeModes(MalletProgram& program, const ModalBody& body) {
    for (int32_t k = 0; k < 4; ++k) {
        program.values[kFirstRatio + k] =
            static_cast<float>((body.ratios[k] - 1.0) * 0.06666666666666667);
        program.values[kFirstResonance + k] =
            static_cast<float>((body.radii[k] - 0.99) * 101.010101010101);
        program.values[kFirstModalGain + k] =
            static_cast<float>((body.gains[k] - 0.004) * 17.857142857142858);
    }
}

}  // namespace

void buildFactoryProgram(MalletProgram& program, int32_t index) {
    if (index < 0 || index >= kFactoryProgramCount) index = 0;
    const ModalBody& body = kBodies[index];
    storeModes(program, body);
    program.values[kStickHardness] = static_cast<float>(body.hardness);
    program.values[kStrikePosition] = static_cast<float>(body.strike);
    program.values[kStrikeGain] = static_cast<float>(body.strike);
    const bool vibrato = index == kVibraphone;
    program.values[kVibratoGain] = vibrato ? 0.2f : 0.0f;
    program.values[kVibratoSpeed] = vibrato ? 0.05f : 0.0f;
    program.values[kVibratoSwitch] = vibrato ? 1.0f : 0.0f;
    program.values[kStereoSpread] = 1.0f;
    for (int32_t i = 0; i <= kFirstRatio + 2; ++i) {
        if (program.values[i] > 1.0f) program.values[i] = 1.0f;
    }
    program.setName(body.name);
}
