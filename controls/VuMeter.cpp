#include "controls/VuMeter.h"

#include <algorithm>

#include "controls/PixelMath.h"

namespace {

Rect normalised(const Rect& r) {
    return Rect(std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom));
}

}  // namespace

VuMeter::VuMeter(const Rect& meterSize, Bitmap* onPicture, Bitmap* offPicture, int32_t leds, int32_t meterStyle)
    : Control(meterSize, nullptr, 0),
      onBitmap(onPicture),
      offBitmap(offPicture),
      ledCount(std::max(leds, 1)),
      style(meterStyle),
      onRect(normalised(meterSize)),
      offRect(normalised(meterSize)) {}

float VuMeter::heldLevel() const {
    float level = value;
    if (!(level >= getMinimum())) level = getMinimum();
    if (level > getMaximum()) level = getMaximum();
    float floor = drawnValue - decay;
    if (!(floor >= getMinimum())) floor = getMinimum();
    return std::max(level, floor);
}

float VuMeter::litFraction(float level) const {
    const auto leds = static_cast<float>(ledCount);
    return static_cast<float>(truncToPixels(static_cast<double>(leds * level + 0.5f))) / leds;
}

void VuMeter::draw(DrawContext& context) {
    if (!onBitmap) return;
    value = heldLevel();
    drawnValue = value;
    Point offSource(0, 0);
    Point onSource(0, 0);
    if (style & kHorizontal) {
        const float lit = static_cast<float>(onBitmap->getWidth()) * litFraction(value);
        const int32_t litWidth = truncToPixels(static_cast<double>(lit));
        offRect.left = onRect.right = size.left + litWidth;
        offSource.h = litWidth;
    } else {
        const float unlit = static_cast<float>(onBitmap->getHeight()) * litFraction(getMaximum() - value);
        const int32_t dark = truncToPixels(static_cast<double>(unlit));
        offRect.bottom = onRect.top = size.top + dark;
        onSource.v = dark;
    }
    if (offBitmap) offBitmap->draw(context, offRect, offSource);
    onBitmap->draw(context, onRect, onSource);
}
