// The instrument rendered by vsthost through a plug-in build (the DLLs under
// Wine, the shared object natively) must be the very same samples as the
// native build's in-process render.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/tools/vsthost/ReferenceRender.h"
#include "tests/tools/vsthost/ToolRun.h"

namespace vsthost {
namespace {

using test::readFile;

const std::string kReferenceFolder = ZAV_NATIVE_REFERENCE_DIR;
constexpr size_t kFloatHeader = 58;

std::vector<float> samplesOf(const std::vector<uint8_t>& wav) {
    std::vector<float> samples(wav.size() > kFloatHeader ? (wav.size() - kFloatHeader) / 4 : 0);
    if (!samples.empty()) std::memcpy(samples.data(), wav.data() + kFloatHeader, samples.size() * 4);
    return samples;
}

std::string renderThroughDll(const std::string& extra) {
    const std::string out = ::testing::TempDir() + "vsthost_versus_native.wav";
    std::string arguments = "render \"" + std::string(ZAV_PLUGIN_PATH) + "\" \"" + kReferenceFolder + "/" +
                            reference::kMidiFile + "\" -o \"" + out + "\" --float --rate " +
                            std::to_string(reference::kSampleRate) + " --block " +
                            std::to_string(reference::kBlockSize) + " --tail " +
                            std::to_string(reference::kTailSeconds) + " --program " + reference::kProgram + extra;
    for (const char* setting : reference::kParameters) arguments += " --param \"" + std::string(setting) + "\"";
    const auto run = test::runVsthost(arguments);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    return out;
}

class VsthostMatchesNative : public ::testing::Test {
protected:
    void SetUp() override {
        if (kReferenceFolder.empty()) GTEST_SKIP() << "no native build folder was given (ZAV_NATIVE_BUILD_DIR)";
        reference = readFile(kReferenceFolder + "/" + reference::kWavFile);
        ASSERT_GT(reference.size(), kFloatHeader) << "build the native build first: " << kReferenceFolder;
    }

    void expectIdentical(const std::string& path) {
        const auto rendered = readFile(path);
        std::remove(path.c_str());
        ASSERT_EQ(rendered.size(), reference.size());
        EXPECT_TRUE(std::equal(rendered.begin(), rendered.begin() + kFloatHeader, reference.begin()));
        const auto ours = samplesOf(rendered);
        const auto theirs = samplesOf(reference);
        for (size_t i = 0; i < ours.size(); ++i) {
            if (std::memcmp(&ours[i], &theirs[i], 4) == 0) continue;
            FAIL() << "first difference at frame " << i / 2 << (i % 2 ? " right" : " left") << ": " << ours[i]
                   << " through the plug-in, " << theirs[i] << " in process";
        }
    }

    std::vector<uint8_t> reference;
};

TEST_F(VsthostMatchesNative, ReferenceIsMusicNotSilence) {
    const auto samples = samplesOf(reference);
    float loudest = 0.0f;
    size_t sounding = 0;
    for (float s : samples) {
        loudest = std::fmax(loudest, std::fabs(s));
        sounding += std::fabs(s) > 1e-4f ? 1 : 0;
    }
    EXPECT_GT(loudest, 0.05f);
    EXPECT_GT(sounding, samples.size() / 4);
}

TEST_F(VsthostMatchesNative, ReplacingRenderIsBitIdentical) { expectIdentical(renderThroughDll("")); }

TEST_F(VsthostMatchesNative, AccumulatingRenderIsBitIdentical) { expectIdentical(renderThroughDll(" --accumulate")); }

}  // namespace
}  // namespace vsthost
