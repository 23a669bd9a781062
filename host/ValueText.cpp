#include "host/ValueText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/EffectBase.h"

namespace {

constexpr int kWidth = 8;
const char kHugeText[] = " Huge!  ";
const char kMinusInfinityText[] = "  -oo   ";
const char kNotANumberText[] = " NaN    ";

char digitOf(double x) { return static_cast<char>('0' + static_cast<int>(std::fmod(x, 10.0))); }

// Integers too wide for a point: positive values of 8 digits and negative
// values of 7 digits fill the whole width with digits and no point.
bool writeWideInteger(double magnitude, bool negative, char* text) {
    const double widest = negative ? 1000000.0 : 10000000.0;
    if (std::floor(magnitude) < widest) return false;
    std::snprintf(text, kValueTextSize, negative ? "-%.0f" : "%.0f", std::floor(magnitude));
    return true;
}

// Digits right to left into the end of scratch; returns the first used index.
int writeIntegerPart(double v, bool negative, int& width, char* scratch, int end) {
    int first = end;
    scratch[--first] = '.';
    double n = std::floor(v);
    scratch[--first] = digitOf(n);
    width += 2;
    n *= 0.1;
    while (n >= 1.0 && width < kWidth) {
        scratch[--first] = digitOf(n);
        ++width;
        n *= 0.1;
    }
    if (negative) scratch[--first] = '-';
    return first;
}

void appendFraction(double v, int digits, char* text) {
    double m = std::fmod(v, 1.0) * std::pow(10.0, digits);
    char* end = text + std::strlen(text);
    for (int position = digits - 1; position >= 0; --position) {
        if (m > 0.0) {
            end[position] = digitOf(m);
            m *= 0.1;
        } else {
            end[position] = '0';
        }
    }
    end[digits] = 0;
}

}  // namespace

void writeFloatText(float value, char* text) {
    const double wide = value;
    if (std::isnan(wide)) {
        std::memcpy(text, kNotANumberText, sizeof(kNotANumberText));
        return;
    }
    const bool negative = wide < 0.0;
    const double v = negative ? -wide : wide;
    int width = negative ? 1 : 0;
    if (v > (negative ? 9999999.0 : 99999999.0)) {
        std::memcpy(text, kHugeText, sizeof(kHugeText));
        return;
    }
    if (writeWideInteger(v, negative, text)) return;
    char scratch[16];
    const int end = static_cast<int>(sizeof(scratch)) - 1;
    scratch[end] = 0;
    const int first = writeIntegerPart(v, negative, width, scratch, end);
    std::memcpy(text, scratch + first, static_cast<size_t>(end - first + 1));
    if (width >= kWidth) return;
    appendFraction(v, kWidth - width, text);
}

void writeIntegerText(int32_t value, char* text) {
    if (value >= 100000000) {
        std::memcpy(text, kHugeText, sizeof(kHugeText));
        return;
    }
    char scratch[32];
    std::snprintf(scratch, sizeof(scratch), "%7d", static_cast<int>(value));
    scratch[kWidth] = 0;
    std::memcpy(text, scratch, std::strlen(scratch) + 1);
}

void writeMinusInfinityText(char* text) {
    std::memcpy(text, kMinusInfinityText, sizeof(kMinusInfinityText));
}

void EffectBase::floatToText(float value, char* text) { writeFloatText(value, text); }

void EffectBase::integerToText(int32_t value, char* text) { writeIntegerText(value, text); }

void EffectBase::decibelsToText(float value, char* text) {
    if (!(value > 0.0f)) {
        writeMinusInfinityText(text);
        return;
    }
    floatToText(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
}

void EffectBase::hertzToText(float samples, char* text) {
    if (samples == 0.0f) {
        floatToText(0.0f, text);
        return;
    }
    floatToText(static_cast<float>(static_cast<double>(currentSampleRate()) / samples), text);
}

void EffectBase::millisecondsToText(float samples, char* text) {
    const double milliseconds = static_cast<double>(samples) * 1000.0 / currentSampleRate();
    floatToText(static_cast<float>(milliseconds), text);
}
