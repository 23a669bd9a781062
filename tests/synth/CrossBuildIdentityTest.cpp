#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "SynthScenario.h"

namespace {

bool readFloats(const std::string& path, std::vector<float>& out)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    float buffer[1024];
    std::size_t count = 0;
    while ((count = std::fread(buffer, sizeof(float), 1024, file)) > 0)
        out.insert(out.end(), buffer, buffer + count);
    std::fclose(file);
    return true;
}

}  // namespace

TEST(SynthScenario, SoundsFiniteAndPlacedAcrossBothChannels)
{
    const std::vector<float> samples = renderSynthScenario();
    ASSERT_GT(samples.size(), 8000u);
    float peakLeft = 0.0f;
    float peakRight = 0.0f;
    std::size_t placed = 0;
    for (std::size_t i = 0; i < samples.size(); i += 2) {
        ASSERT_TRUE(std::isfinite(samples[i]) && std::isfinite(samples[i + 1])) << i;
        peakLeft = std::max(peakLeft, std::fabs(samples[i]));
        peakRight = std::max(peakRight, std::fabs(samples[i + 1]));
        placed += samples[i] != samples[i + 1];
    }
    EXPECT_GT(peakLeft, 1e-3f);
    EXPECT_GT(peakRight, 1e-3f);
    EXPECT_GT(placed, samples.size() / 4);
}

TEST(SynthScenario, RendersTheSameSamplesAsTheNativeBuild)
{
    const std::string reference = ZAV_SYNTH_REFERENCE_FILE;
    if (reference.empty())
        GTEST_SKIP() << "no native build folder configured (ZAV_NATIVE_BUILD_DIR) to compare with";
    std::vector<float> expected;
    ASSERT_TRUE(readFloats(reference, expected)) << "cannot read " << reference;
    const std::vector<float> samples = renderSynthScenario();
    ASSERT_EQ(samples.size(), expected.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        // Equal as floats: the sign of a zero does not count.
        if (samples[i] != expected[i] && ++differing <= 5)
            ADD_FAILURE() << "sample " << i / 2 << (i % 2 == 0 ? " left: " : " right: ") << samples[i]
                          << " here, " << expected[i] << " in the reference";
    }
    EXPECT_EQ(differing, 0u);
}
