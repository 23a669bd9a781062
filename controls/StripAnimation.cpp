#include "controls/StripAnimation.h"

#include "controls/PixelMath.h"

StripAnimation::StripAnimation(const Rect& animationSize, ControlListener* animationListener, int32_t animationTag,
                               int32_t frames, int32_t heightOfFrame, Bitmap* picture, Point firstFrame)
    : Control(animationSize, animationListener, animationTag),
      bitmap(picture),
      offset(firstFrame),
      frameCount(frames),
      frameHeight(heightOfFrame),
      stripHeight(frames * heightOfFrame) {}

void StripAnimation::draw(DrawContext& context) {
    if (!running) return;
    const Point source(offset.h, offset.v + truncToPixels(static_cast<double>(value)));
    if (bitmap) bitmap->draw(context, size, source);
    drawnValue = value;
}

void StripAnimation::onMouseDown(DrawContext& context, Point) {
    if (!acceptsMouse) return;
    value = 0.0f;
    if (running) {
        draw(context);
        stop();
        return;
    }
    start();
    drawnValue = -1.0f;
    notify(context);
}

// The last frame starts at stripHeight - frameHeight. Going forwards, anything
// beyond it (or not a number) starts over; going backwards, ends there.
void StripAnimation::nextFrame() {
    value += static_cast<float>(frameHeight);
    if (!(value <= static_cast<float>(stripHeight - frameHeight))) value = 0.0f;
}

void StripAnimation::previousFrame() {
    const auto lastFrame = static_cast<float>(stripHeight - frameHeight);
    value -= static_cast<float>(frameHeight);
    if (!(value >= 0.0f) || value > lastFrame) value = lastFrame;
}
