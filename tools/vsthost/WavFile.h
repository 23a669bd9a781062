// WAV files: the header, sample conversion and a writer that streams blocks
// and completes the header when it is closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vsthost {

enum class SampleFormat { Pcm16, Float32 };

// The bytes before the sample data of a file holding the given frames.
std::vector<uint8_t> wavHeader(SampleFormat format, int channels, int32_t sampleRate, int64_t frames);

// Full scale is 32767; anything beyond saturates, NaN becomes silence.
int16_t toPcm16(float sample);

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    bool open(const std::string& path, SampleFormat format, int channels, int32_t sampleRate);
    // channels[c][i] for i < frames, as many channel pointers as opened with.
    bool write(const float* const* channels, int32_t frames);
    // Writes the final sizes into the header; false when anything failed.
    bool close();

    int64_t framesWritten() const { return frames; }
    // 16-bit samples that were saturated, or written as silence for NaN.
    int64_t clippedSamples() const { return clipped; }

private:
    std::FILE* file = nullptr;
    SampleFormat format = SampleFormat::Pcm16;
    int channelCount = 0;
    int32_t rate = 0;
    int64_t frames = 0;
    int64_t clipped = 0;
    bool good = false;
    std::vector<uint8_t> staging;
};

}  // namespace vsthost
