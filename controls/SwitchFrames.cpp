#include "controls/SwitchFrames.h"

Point switchFrameOffset(float value, int32_t frameCount, int32_t frameHeight) {
    const double step = 1.0 / (frameCount - 1);
    for (int32_t i = 1; i < frameCount; ++i) {
        if (i * step > value) return Point(0, (i - 1) * frameHeight);
    }
    return Point(0, (frameCount - 1) * frameHeight);
}
