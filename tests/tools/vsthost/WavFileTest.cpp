#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tools/vsthost/WavFile.h"

namespace vsthost {
namespace {

uint32_t little32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}
uint16_t little16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}
std::string tag(const std::vector<uint8_t>& bytes, size_t at) {
    return std::string(bytes.begin() + static_cast<ptrdiff_t>(at), bytes.begin() + static_cast<ptrdiff_t>(at + 4));
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
    return bytes;
}

TEST(WavFile, PcmHeaderDescribesSixteenBitFrames) {
    const auto header = wavHeader(SampleFormat::Pcm16, 2, 44100, 1000);
    ASSERT_EQ(header.size(), 44u);
    EXPECT_EQ(tag(header, 0), "RIFF");
    EXPECT_EQ(little32(header, 4), 36u + 4000u);
    EXPECT_EQ(tag(header, 8), "WAVE");
    EXPECT_EQ(tag(header, 12), "fmt ");
    EXPECT_EQ(little32(header, 16), 16u);
    EXPECT_EQ(little16(header, 20), 1);  // integer PCM
    EXPECT_EQ(little16(header, 22), 2);
    EXPECT_EQ(little32(header, 24), 44100u);
    EXPECT_EQ(little32(header, 28), 44100u * 4);
    EXPECT_EQ(little16(header, 32), 4);
    EXPECT_EQ(little16(header, 34), 16);
    EXPECT_EQ(tag(header, 36), "data");
    EXPECT_EQ(little32(header, 40), 4000u);
}

TEST(WavFile, FloatHeaderCarriesFormatThreeAndAFactChunk) {
    const auto header = wavHeader(SampleFormat::Float32, 1, 96000, 250);
    ASSERT_EQ(header.size(), 58u);
    EXPECT_EQ(little32(header, 4), header.size() - 8 + 1000);
    EXPECT_EQ(little32(header, 16), 18u);
    EXPECT_EQ(little16(header, 20), 3);  // IEEE float
    EXPECT_EQ(little32(header, 28), 96000u * 4);
    EXPECT_EQ(little16(header, 32), 4);
    EXPECT_EQ(little16(header, 34), 32);
    EXPECT_EQ(tag(header, 38), "fact");
    EXPECT_EQ(little32(header, 46), 250u);
    EXPECT_EQ(tag(header, 50), "data");
    EXPECT_EQ(little32(header, 54), 1000u);
}

TEST(WavFile, SixteenBitConversionRoundsAndSaturates) {
    EXPECT_EQ(toPcm16(0.0f), 0);
    EXPECT_EQ(toPcm16(1.0f), 32767);
    EXPECT_EQ(toPcm16(-1.0f), -32767);
    EXPECT_EQ(toPcm16(0.25f), 8192);  // 8191.75 rounds up
    EXPECT_EQ(toPcm16(-0.25f), -8192);
    EXPECT_EQ(toPcm16(1.0f / 32767.0f), 1);
    EXPECT_EQ(toPcm16(1.5f), 32767);
    EXPECT_EQ(toPcm16(-1.5f), -32768);
    EXPECT_EQ(toPcm16(1e30f), 32767);
    EXPECT_EQ(toPcm16(std::numeric_limits<float>::infinity()), 32767);
    EXPECT_EQ(toPcm16(-std::numeric_limits<float>::infinity()), -32768);
    EXPECT_EQ(toPcm16(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(WavFile, WriterInterleavesBlocksAndCompletesTheHeader) {
    const std::string path = ::testing::TempDir() + "vsthost_wav_test.wav";
    WavWriter writer;
    ASSERT_TRUE(writer.open(path, SampleFormat::Pcm16, 2, 48000));
    const float left[] = {0.5f, -2.0f, 0.0f};
    const float right[] = {-0.5f, 0.0f, 3.0f};
    const float* block[] = {left, right};
    ASSERT_TRUE(writer.write(block, 2));
    const float* rest[] = {left + 2, right + 2};
    ASSERT_TRUE(writer.write(rest, 1));
    EXPECT_EQ(writer.framesWritten(), 3);
    EXPECT_EQ(writer.clippedSamples(), 2);
    ASSERT_TRUE(writer.close());

    const auto bytes = readFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(bytes.size(), 44u + 12u);
    EXPECT_EQ(little32(bytes, 40), 12u);
    EXPECT_EQ(little32(bytes, 4), bytes.size() - 8);
    const int16_t expected[] = {16384, -16384, -32768, 0, 0, 32767};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(static_cast<int16_t>(little16(bytes, 44 + 2 * i)), expected[i]) << i;
}

TEST(WavFile, FloatWriterKeepsSamplesExactlyEvenBeyondFullScale) {
    const std::string path = ::testing::TempDir() + "vsthost_wav_float_test.wav";
    WavWriter writer;
    ASSERT_TRUE(writer.open(path, SampleFormat::Float32, 1, 44100));
    const float samples[] = {0.1f, -1.75f, 3.0e-8f};
    const float* block[] = {samples};
    ASSERT_TRUE(writer.write(block, 3));
    EXPECT_EQ(writer.clippedSamples(), 0);
    ASSERT_TRUE(writer.close());
    const auto bytes = readFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(bytes.size(), 58u + 12u);
    EXPECT_EQ(little32(bytes, 46), 3u);
    EXPECT_EQ(std::memcmp(bytes.data() + 58, samples, sizeof samples), 0);
}

TEST(WavFile, WriterRefusesAFileItCannotCreate) {
    WavWriter writer;
    EXPECT_FALSE(writer.open(::testing::TempDir() + "no/such/folder/out.wav", SampleFormat::Pcm16, 2, 44100));
    const float silence[] = {0.0f};
    const float* block[] = {silence, silence};
    EXPECT_FALSE(writer.write(block, 1));
    EXPECT_FALSE(writer.close());
}

}  // namespace
}  // namespace vsthost
