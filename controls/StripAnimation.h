// Steps through the frames of a picture strip, started and stopped by a
// click. Its value is a pixel offset into the strip; whoever owns it calls
// nextFrame or previousFrame, then update. Draws nothing while stopped.
#pragma once

#include <cstdint>

#include "controls/Control.h"
#include "controls/SharedBitmap.h"

class StripAnimation : public Control {
public:
    // firstFrame: source offset of frame 0; the others follow downwards.
    StripAnimation(const Rect& animationSize, ControlListener* animationListener, int32_t animationTag,
                   int32_t frames, int32_t heightOfFrame, Bitmap* picture, Point firstFrame);

    void draw(DrawContext& context) override;
    // Starting tells the listener; stopping shows the first frame and tells nobody.
    void onMouseDown(DrawContext& context, Point where) override;

    virtual void start() { running = true; }
    virtual void stop() { running = false; }
    // Both wrap so that every frame of the strip is shown, the last included.
    virtual void nextFrame();
    virtual void previousFrame();

    bool isRunning() const { return running; }

private:
    SharedBitmap bitmap;
    Point offset;
    int32_t frameCount;
    int32_t frameHeight;
    bool running = false;
    int32_t stripHeight;
};
