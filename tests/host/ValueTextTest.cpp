#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "host/ExtendedEffect.h"

namespace {

class TextEffect : public ExtendedEffect {
public:
    TextEffect() : ExtendedEffect(nullptr, 1, 1) {}
    void process(float**, float**, int32_t) override {}
};

// Writes into a guarded buffer so that any write past 9 bytes is caught.
template <typename Write>
std::string written(Write write) {
    char buffer[32];
    std::memset(buffer, '#', sizeof(buffer));
    write(buffer);
    for (size_t i = 9; i < sizeof(buffer); ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
    return buffer;
}

std::string floatText(float value) {
    TextEffect effect;
    return written([&](char* t) { effect.floatToText(value, t); });
}

TEST(FloatToText, WritesEightCharactersTruncatingFractions) {
    EXPECT_EQ(floatText(0.0f), "0.000000");
    EXPECT_EQ(floatText(0.5f), "0.500000");
    EXPECT_EQ(floatText(1.0f), "1.000000");
    EXPECT_EQ(floatText(0.7f), "0.699999");
    EXPECT_EQ(floatText(0.05f), "0.050000");
    EXPECT_EQ(floatText(123.456f), "123.4560");
    EXPECT_EQ(floatText(-1.5f), "-1.50000");
    EXPECT_EQ(floatText(-0.25f), "-0.25000");
}

TEST(FloatToText, IntegerPartFillsTheWidth) {
    EXPECT_EQ(floatText(1234567.0f), "1234567.");
    EXPECT_EQ(floatText(-999999.0f), "-999999.");
}

TEST(FloatToText, ValuesAboveTheLimitsAreHuge) {
    EXPECT_EQ(floatText(100000000.0f), " Huge!  ");
    EXPECT_EQ(floatText(-10000000.0f), " Huge!  ");
    EXPECT_EQ(floatText(std::numeric_limits<float>::infinity()), " Huge!  ");
    EXPECT_EQ(floatText(-std::numeric_limits<float>::infinity()), " Huge!  ");
}

TEST(FloatToText, WideIntegersKeepEveryDigitWithoutPoint) {
    EXPECT_EQ(floatText(12345678.0f), "12345678");
    EXPECT_EQ(floatText(10000000.0f), "10000000");
    EXPECT_EQ(floatText(-1234567.0f), "-1234567");
    EXPECT_EQ(floatText(-1000000.0f), "-1000000");
    EXPECT_EQ(floatText(-9999999.0f), "-9999999");
}

TEST(FloatToText, NotANumberHasItsOwnText) {
    EXPECT_EQ(floatText(std::numeric_limits<float>::quiet_NaN()), " NaN    ");
}

TEST(DecibelsToText, ConvertsGainToDecibels) {
    TextEffect effect;
    auto db = [&](float v) { return written([&](char* t) { effect.decibelsToText(v, t); }); };
    EXPECT_EQ(db(1.0f), "0.000000");
    EXPECT_EQ(db(0.5f), "-6.02059");
    EXPECT_EQ(db(2.0f), "6.020599");
    EXPECT_EQ(db(0.001f), "-60.0000");
    EXPECT_EQ(db(0.0f), "  -oo   ");
    EXPECT_EQ(db(-1.0f), "  -oo   ");
    EXPECT_EQ(db(std::numeric_limits<float>::quiet_NaN()), "  -oo   ");
}

TEST(HertzAndMillisecondsToText, UseTheCurrentSampleRate) {
    TextEffect effect;
    effect.setSampleRate(44100.0f);
    EXPECT_EQ(written([&](char* t) { effect.hertzToText(100.0f, t); }), "441.0000");
    EXPECT_EQ(written([&](char* t) { effect.hertzToText(0.0f, t); }), "0.000000");
    EXPECT_EQ(written([&](char* t) { effect.millisecondsToText(44100.0f, t); }), "1000.000");
    effect.setSampleRate(0.0f);
    EXPECT_EQ(written([&](char* t) { effect.millisecondsToText(0.0f, t); }), " NaN    ");
    EXPECT_EQ(written([&](char* t) { effect.millisecondsToText(5.0f, t); }), " Huge!  ");
}

TEST(IntegerToText, RightAlignsInSevenPlaces) {
    TextEffect effect;
    auto text = [&](int32_t v) { return written([&](char* t) { effect.integerToText(v, t); }); };
    EXPECT_EQ(text(42), "     42");
    EXPECT_EQ(text(99999999), "99999999");
    EXPECT_EQ(text(100000000), " Huge!  ");
    EXPECT_EQ(text(-123456789), "-1234567");
}

class ShoutingEffect : public TextEffect {
public:
    void floatToText(float, char* text) override { std::strcpy(text, "LOUD"); }
};

TEST(ValueToText, FloatingConversionsGoThroughTheVirtualFloatToText) {
    ShoutingEffect effect;
    char text[16];
    effect.decibelsToText(1.0f, text);
    EXPECT_STREQ(text, "LOUD");
    effect.hertzToText(10.0f, text);
    EXPECT_STREQ(text, "LOUD");
    effect.millisecondsToText(10.0f, text);
    EXPECT_STREQ(text, "LOUD");
}

}  // namespace
