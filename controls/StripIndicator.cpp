#include "controls/StripIndicator.h"

#include "controls/PixelMath.h"

StripIndicator::StripIndicator(const Rect& indicatorSize, ControlListener* indicatorListener, int32_t indicatorTag,
                               int32_t frames, int32_t heightOfFrame, Bitmap* picture, Point firstFrame)
    : Control(indicatorSize, indicatorListener, indicatorTag),
      bitmap(picture),
      offset(firstFrame),
      frameCount(frames),
      frameHeight(heightOfFrame) {}

void StripIndicator::draw(DrawContext& context) {
    Point source = offset;
    if (value > 1.0f) value = 1.0f;
    if (value > 0.0f) {
        // Halves round up, to the later frame.
        const int32_t frame = truncToPixels(static_cast<double>(value * static_cast<float>(frameCount - 1) + 0.5f));
        source.v += frame * frameHeight;
    }
    if (bitmap) bitmap->draw(context, size, source);
    drawnValue = value;
}
