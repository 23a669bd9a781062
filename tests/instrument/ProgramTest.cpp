#include <gtest/gtest.h>

#include <string>

#include "tests/instrument/FactoryTable.h"
#include "tests/instrument/HostedSynth.h"

namespace {

class Programs : public ::testing::Test {
protected:
    HostedSynth hosted;

    void expectParametersOfFactoryProgram(int32_t index) {
        for (int32_t j = 0; j < 19; ++j) {
            EXPECT_NEAR(hosted.getParameter(j), kFactoryValues[j][index], 1e-6) << "parameter " << j;
        }
    }
    std::string indexedName(int32_t index, intptr_t category = 0) {
        char text[64] = "sentinel";
        hosted.dispatch(effGetProgramNameIndexed, index, category, text);
        return text;
    }
    void setName(const char* name) {
        std::string copy(name);
        hosted.dispatch(effSetProgramName, 0, 0, copy.data());
    }
};

TEST_F(Programs, ConstructionLoadsMarimba) {
    EXPECT_EQ(hosted.dispatch(effGetProgram), 0);
    EXPECT_EQ(hosted.text(effGetProgramName), "Marimba");
    expectParametersOfFactoryProgram(0);
}

TEST_F(Programs, SelectingAProgramLoadsItsStoredValues) {
    for (int32_t index : {3, 1, 6, 0, 5, 2, 4}) {
        hosted.dispatch(effSetProgram, 0, index);
        EXPECT_EQ(hosted.dispatch(effGetProgram), index);
        EXPECT_EQ(hosted.text(effGetProgramName), kFactoryNames[index]);
        expectParametersOfFactoryProgram(index);
    }
}

TEST_F(Programs, EditsAreKeptInTheProgramAcrossSwitching) {
    hosted.setParameter(3, 0.9f);
    hosted.dispatch(effSetProgram, 0, 2);
    expectParametersOfFactoryProgram(2);
    hosted.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(hosted.getParameter(3), 0.9f);
    EXPECT_NEAR(hosted.getParameter(2), kFactoryValues[2][0], 1e-6);
}

// A host without chunks saves each program as setProgram and 19
// getParameter calls, and restores it the same way with setParameter.
TEST_F(Programs, AHostsSaveAndRestoreRoundTripGivesEveryProgramBack) {
    hosted.dispatch(effSetProgram, 0, 4);
    hosted.setParameter(7, 0.125f);
    setName("Edited");
    float saved[7][19];
    std::string names[7];
    for (int32_t p = 0; p < 7; ++p) {
        hosted.dispatch(effSetProgram, 0, p);
        names[p] = hosted.text(effGetProgramName);
        for (int32_t j = 0; j < 19; ++j) saved[p][j] = hosted.getParameter(j);
    }
    hosted.dispatch(effSetProgram, 0, 4);

    HostedSynth restored;
    for (int32_t p = 0; p < 7; ++p) {
        restored.dispatch(effSetProgram, 0, p);
        std::string name = names[p];
        restored.dispatch(effSetProgramName, 0, 0, name.data());
        for (int32_t j = 0; j < 19; ++j) restored.setParameter(j, saved[p][j]);
    }
    restored.dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(restored.text(effGetProgramName), "Edited");
    EXPECT_EQ(restored.getParameter(7), 0.125f);
    for (int32_t p = 0; p < 7; ++p) {
        restored.dispatch(effSetProgram, 0, p);
        for (int32_t j = 0; j < 19; ++j) EXPECT_EQ(restored.getParameter(j), saved[p][j]) << p << " " << j;
    }
    // And both instruments play the same.
    restored.dispatch(effSetProgram, 0, 4);
    for (HostedSynth* synth : {&hosted, &restored}) synth->send({noteOn(50), noteOn(71, 30)});
    EXPECT_EQ(restored.render(2048), hosted.render(2048));
}

TEST_F(Programs, NumbersOutsideTheBankSelectNothing) {
    hosted.dispatch(effSetProgram, 0, 4);
    hosted.dispatch(effSetProgram, 0, 7);
    hosted.dispatch(effSetProgram, 0, -1);
    hosted.synth().setProgram(9);
    hosted.synth().setProgram(-2);
    EXPECT_EQ(hosted.dispatch(effGetProgram), 4);
    expectParametersOfFactoryProgram(4);
}

TEST_F(Programs, IndexedNamesIgnoreTheCategory) {
    for (int32_t index = 0; index < 7; ++index) {
        EXPECT_EQ(indexedName(index, 3), kFactoryNames[index]);
    }
    char text[64] = "sentinel";
    EXPECT_EQ(hosted.dispatch(effGetProgramNameIndexed, 7, 0, text), 0);
    EXPECT_EQ(hosted.dispatch(effGetProgramNameIndexed, 6, 0, text), 1);
}

TEST_F(Programs, CopyWritesTheEditedCurrentProgram) {
    hosted.dispatch(effSetProgram, 0, 2);
    hosted.setParameter(0, 0.99f);
    EXPECT_EQ(hosted.dispatch(effCopyProgram, 6), 1);
    EXPECT_EQ(hosted.dispatch(effGetProgram), 2);
    EXPECT_EQ(hosted.getParameter(0), 0.99f);
    EXPECT_EQ(indexedName(6), "Woodblock");
    hosted.dispatch(effSetProgram, 0, 6);
    EXPECT_EQ(hosted.getParameter(0), 0.99f);
    EXPECT_NEAR(hosted.getParameter(8), kFactoryValues[8][2], 1e-6);
    EXPECT_EQ(hosted.dispatch(effCopyProgram, 7), 0);
    EXPECT_EQ(hosted.dispatch(effCopyProgram, -1), 0);
    EXPECT_EQ(indexedName(5), "Kestrimund");
}

TEST_F(Programs, RenamingChangesOnlyTheCurrentProgram) {
    hosted.dispatch(effSetProgram, 0, 3);
    setName("Gong");
    EXPECT_EQ(hosted.text(effGetProgramName), "Gong");
    EXPECT_EQ(indexedName(3), "Gong");
    EXPECT_EQ(indexedName(2), "Woodblock");
    EXPECT_EQ(indexedName(4), "Yarbo");
    hosted.dispatch(effSetProgram, 0, 0);
    hosted.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(hosted.text(effGetProgramName), "Gong");
}

TEST_F(Programs, LongNamesAreCutToTwentyThreeCharactersWithoutTouchingTheNext) {
    hosted.dispatch(effSetProgram, 0, 3);
    setName("abcdefghijklmnopqrstuvw");
    EXPECT_EQ(hosted.text(effGetProgramName), "abcdefghijklmnopqrstuvw");
    setName("A name far longer than any program record can hold");
    EXPECT_EQ(hosted.text(effGetProgramName), "A name far longer than ");
    EXPECT_EQ(indexedName(4), "Yarbo");
    hosted.dispatch(effSetProgram, 0, 4);
    expectParametersOfFactoryProgram(4);
}

}  // namespace
