#include "tools/vsthost/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vsthost {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

int bytesPerSample(SampleFormat format) { return format == SampleFormat::Pcm16 ? 2 : 4; }

// RIFF sizes are 32-bit; a longer render keeps the largest size that fits.
uint32_t clampedSize(int64_t bytes) {
    return static_cast<uint32_t>(std::min<int64_t>(bytes, std::numeric_limits<uint32_t>::max() - 64));
}

}  // namespace

std::vector<uint8_t> wavHeader(SampleFormat format, int channels, int32_t sampleRate, int64_t frames) {
    const bool isFloat = format == SampleFormat::Float32;
    const uint32_t frameBytes = static_cast<uint32_t>(channels * bytesPerSample(format));
    const uint32_t dataBytes = clampedSize(frames * frameBytes);
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 0);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, isFloat ? 18 : 16);
    put16(out, isFloat ? kFormatFloat : kFormatPcm);
    put16(out, static_cast<uint32_t>(channels));
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate) * frameBytes);
    put16(out, frameBytes);
    put16(out, static_cast<uint32_t>(bytesPerSample(format) * 8));
    if (isFloat) {
        put16(out, 0);  // no extension
        putTag(out, "fact");  // required for every format but integer PCM
        put32(out, 4);
        put32(out, clampedSize(frames));
    }
    putTag(out, "data");
    put32(out, dataBytes);
    const uint32_t riffSize = clampedSize(int64_t{dataBytes} + static_cast<int64_t>(out.size()) - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(riffSize >> (8 * i));
    return out;
}

int16_t toPcm16(float sample) {
    if (std::isnan(sample)) return 0;
    const double scaled = std::nearbyint(static_cast<double>(sample) * 32767.0);
    if (scaled >= 32767.0) return 32767;
    if (scaled <= -32768.0) return -32768;
    return static_cast<int16_t>(scaled);
}

WavWriter::~WavWriter() {
    if (file != nullptr) std::fclose(file);
}

bool WavWriter::open(const std::string& path, SampleFormat sampleFormat, int channels, int32_t sampleRate) {
    if (file != nullptr || channels < 1 || sampleRate < 1) return false;
    file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    format = sampleFormat;
    channelCount = channels;
    rate = sampleRate;
    frames = clipped = 0;
    const auto header = wavHeader(format, channels, rate, 0);
    good = std::fwrite(header.data(), 1, header.size(), file) == header.size();
    return good;
}

bool WavWriter::write(const float* const* channels, int32_t frameCount) {
    if (file == nullptr || frameCount <= 0) return file != nullptr;
    const size_t sampleBytes = static_cast<size_t>(bytesPerSample(format));
    staging.resize(static_cast<size_t>(frameCount) * static_cast<size_t>(channelCount) * sampleBytes);
    uint8_t* out = staging.data();
    for (int32_t i = 0; i < frameCount; ++i) {
        for (int c = 0; c < channelCount; ++c) {
            const float sample = channels[c][i];
            if (format == SampleFormat::Float32) {
                std::memcpy(out, &sample, 4);  // little-endian on every target we build for
            } else {
                const int16_t value = toPcm16(sample);
                if (std::isnan(sample) || std::fabs(static_cast<double>(sample) * 32767.0) > 32767.5) ++clipped;
                out[0] = static_cast<uint8_t>(value);
                out[1] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
            }
            out += sampleBytes;
        }
    }
    good = good && std::fwrite(staging.data(), 1, staging.size(), file) == staging.size();
    frames += frameCount;
    return good;
}

bool WavWriter::close() {
    if (file == nullptr) return false;
    const auto header = wavHeader(format, channelCount, rate, frames);
    good = good && std::fseek(file, 0, SEEK_SET) == 0 &&
           std::fwrite(header.data(), 1, header.size(), file) == header.size();
    good = (std::fclose(file) == 0) && good;
    file = nullptr;
    return good;
}

}  // namespace vsthost
