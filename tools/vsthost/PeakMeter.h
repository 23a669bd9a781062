// The loudest sample of a render, reported in dB relative to full scale.
#pragma once

#include <cstdint>
#include <string>

namespace vsthost {

class PeakMeter {
public:
    void add(const float* samples, int32_t count);
    float peak() const { return loudest; }
    int64_t nonFiniteSamples() const { return nonFinite; }
    // 20 log10(peak); minus infinity for silence.
    double decibels() const;
    // "-3.2 dBFS", or "silence (-inf dBFS)".
    std::string describe() const;

private:
    float loudest = 0.0f;
    int64_t nonFinite = 0;
};

}  // namespace vsthost
