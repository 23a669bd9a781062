// Shows a whole number as up to seven digit pictures placed anywhere in the
// frame window, leading zeros included. Display only.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class DigitDisplay : public Control {
public:
    static constexpr int32_t kMaxDigits = 7;

    // positions: digits, clamped to 1..7; x and y (null reads as 0): the top-left
    // corner of each digit in frame-window coordinates, most significant first.
    // picture: a vertical strip of the digits 0 to 9, each heightOfDigit high.
    // The range becomes 0 to the largest number the digits can show.
    DigitDisplay(const Rect& displaySize, ControlListener* displayListener, int32_t displayTag, int32_t initialValue,
                 int32_t positions, const int32_t* x, const int32_t* y, int32_t widthOfDigit, int32_t heightOfDigit,
                 Bitmap* picture);

    // Numbers outside the range show its nearer end.
    void draw(DrawContext& context) override;

    // The value as a fraction of the maximum, within 0..1.
    virtual float getNormalisedValue() const;

    int32_t getDigitCount() const { return digitCount; }

private:
    int32_t shownNumber() const;

    SharedBitmap bitmap;
    int32_t digitCount;
    int32_t digitX[kMaxDigits] = {};
    int32_t digitY[kMaxDigits] = {};
    int32_t digitWidth;
    int32_t digitHeight;
};
