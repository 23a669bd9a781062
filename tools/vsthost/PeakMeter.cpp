#include "tools/vsthost/PeakMeter.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace vsthost {

void PeakMeter::add(const float* samples, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        const float sample = samples[i];
        if (!std::isfinite(sample)) {
            ++nonFinite;
            continue;
        }
        loudest = std::fmax(loudest, std::fabs(sample));
    }
}

double PeakMeter::decibels() const {
    if (loudest <= 0.0f) return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(static_cast<double>(loudest));
}

std::string PeakMeter::describe() const {
    if (loudest <= 0.0f) return "silence (-inf dBFS)";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dBFS", decibels());
    return text;
}

}  // namespace vsthost
