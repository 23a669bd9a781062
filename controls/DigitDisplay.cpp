#include "controls/DigitDisplay.h"

#include <algorithm>

#include "controls/PixelMath.h"

namespace {

constexpr int32_t kLargestDigit = 9;

int32_t largestNumber(int32_t digits) {
    int32_t number = 1;
    for (int32_t i = 0; i < digits; ++i) number *= 10;
    return number - 1;
}

}  // namespace

DigitDisplay::DigitDisplay(const Rect& displaySize, ControlListener* displayListener, int32_t displayTag,
                           int32_t initialValue, int32_t positions, const int32_t* x, const int32_t* y,
                           int32_t widthOfDigit, int32_t heightOfDigit, Bitmap* picture)
    : Control(displaySize, displayListener, displayTag),
      bitmap(picture),
      digitCount(std::clamp(positions, 1, kMaxDigits)),
      digitWidth(widthOfDigit),
      digitHeight(heightOfDigit) {
    value = static_cast<float>(initialValue);
    for (int32_t p = 0; p < digitCount; ++p) {
        digitX[p] = x ? x[p] : 0;
        digitY[p] = y ? y[p] : 0;
    }
    minimum = 0.0f;
    maximum = static_cast<float>(largestNumber(digitCount));
}

// truncToPixels bounds every number, so the range may be anything an owner sets.
int32_t DigitDisplay::shownNumber() const {
    const int32_t low = truncToPixels(static_cast<double>(getMinimum()));
    const int32_t high = truncToPixels(static_cast<double>(getMaximum()));
    const int32_t number = truncToPixels(static_cast<double>(value));
    return std::max(std::min(number, high), low);
}

void DigitDisplay::draw(DrawContext& context) {
    int32_t number = shownNumber();
    int32_t divisor = (truncToPixels(static_cast<double>(getMaximum())) + 1) / 10;
    for (int32_t p = 0; p < digitCount; ++p) {
        const int32_t digit = divisor > 0 ? number / divisor : 0;
        number -= digit * divisor;
        divisor /= 10;
        // Only a range set beyond the digits can give a digit outside 0..9.
        const int32_t shown = std::clamp(digit, 0, kLargestDigit);
        const Rect where(digitX[p], digitY[p], digitX[p] + digitWidth, digitY[p] + digitHeight);
        if (bitmap) bitmap->draw(context, where, Point(0, shown * digitHeight));
    }
    drawnValue = value;
}

float DigitDisplay::getNormalisedValue() const {
    const float fraction = value / getMaximum();
    if (!(fraction >= 0.0f)) return 0.0f;
    return std::min(fraction, 1.0f);
}
