#include <gtest/gtest.h>

#include <string>

#include "instrument/FactoryPrograms.h"
#include "tests/instrument/FactoryTable.h"

namespace {

void expectFactoryProgram(const MalletProgram& program, int32_t index) {
    EXPECT_EQ(std::string(program.name), kFactoryNames[index]);
    for (int32_t j = 0; j < 19; ++j) {
        EXPECT_NEAR(program.values[j], kFactoryValues[j][index], 1e-6) << "parameter " << j;
    }
}

TEST(FactoryPrograms, SevenProgramsHoldTheirNamesAndValues) {
    for (int32_t index = 0; index < 7; ++index) {
        SCOPED_TRACE(kFactoryNames[index]);
        MalletProgram program;
        buildFactoryProgram(program, index);
        expectFactoryProgram(program, index);
    }
}

TEST(FactoryPrograms, IndicesOutsideTheBankBuildMarimba) {
    for (int32_t index : {7, 100, -1}) {
        MalletProgram program;
        buildFactoryProgram(program, index);
        expectFactoryProgram(program, 0);
    }
}

TEST(FactoryPrograms, TableEndsConvertToExactlyZeroAndOne) {
    MalletProgram vibraphone;
    buildFactoryProgram(vibraphone, 1);
    for (int32_t k = 8; k < 12; ++k) EXPECT_EQ(vibraphone.values[k], 1.0f);  // radius 0.9999
    MalletProgram woodblock;
    buildFactoryProgram(woodblock, 2);
    EXPECT_EQ(woodblock.values[11], 0.0f);  // radius 0.99
    EXPECT_EQ(woodblock.values[4], 0.0f);   // ratio 1
}

}  // namespace
