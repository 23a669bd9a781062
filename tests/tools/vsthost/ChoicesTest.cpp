#include <gtest/gtest.h>

#include "tools/vsthost/Choices.h"

namespace vsthost {
namespace {

const std::vector<std::string> kParameters = {"Stick Hardness", "Strike Position", "Ratios", "Ratios", "Vibr On/Off"};

TEST(Choices, ParameterSettingsTakeANumberOrANameAndAValue) {
    const auto byNumber = parseParameterSetting("5=0.3");
    EXPECT_TRUE(byNumber.error.empty());
    EXPECT_EQ(byNumber.setting.key, "5");
    EXPECT_FLOAT_EQ(byNumber.setting.value, 0.3f);
    const auto byName = parseParameterSetting(" Stick Hardness = 1 ");
    EXPECT_TRUE(byName.error.empty());
    EXPECT_EQ(byName.setting.key, "Stick Hardness");
    EXPECT_FLOAT_EQ(byName.setting.value, 1.0f);
    // A name may itself hold '=': the value follows the last one.
    EXPECT_EQ(parseParameterSetting("a=b=0").setting.key, "a=b");
}

TEST(Choices, UnreadableOrOutOfRangeSettingsAreRefused) {
    for (const char* text : {"5", "=0.3", "5=", "5=abc", "5=0.3x", "5=1.01", "5=-0.1", "5=nan", "5=inf"})
        EXPECT_FALSE(parseParameterSetting(text).error.empty()) << text;
}

TEST(Choices, FindsByNumberWithinRange) {
    EXPECT_EQ(findByNumberOrName("4", kParameters, "parameter").index, 4);
    EXPECT_EQ(findByNumberOrName(" 0 ", kParameters, "parameter").index, 0);
    const Lookup tooHigh = findByNumberOrName("5", kParameters, "parameter");
    EXPECT_EQ(tooHigh.index, -1);
    EXPECT_NE(tooHigh.error.find("5"), std::string::npos);
}

TEST(Choices, FindsByNameIgnoringCase) {
    EXPECT_EQ(findByNumberOrName("vibr on/off", kParameters, "parameter").index, 4);
    EXPECT_EQ(findByNumberOrName("STRIKE POSITION", kParameters, "parameter").index, 1);
    const Lookup unknown = findByNumberOrName("Strike", kParameters, "parameter");
    EXPECT_EQ(unknown.index, -1);
    EXPECT_NE(unknown.error.find("Strike"), std::string::npos);
}

TEST(Choices, ASharedNameMustBeGivenByNumber) {
    const Lookup shared = findByNumberOrName("ratios", kParameters, "parameter");
    EXPECT_EQ(shared.index, -1);
    EXPECT_NE(shared.error.find("2, 3"), std::string::npos);
}

}  // namespace
}  // namespace vsthost
