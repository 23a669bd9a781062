#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "controls/StripKnob.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

// A strip knob at (4, 2) drawn on a white surface; which frame it shows is
// read back from the pixels' red, and each pixel must sit at its own place
// inside that frame.
class StripKnobFrames : public testing::Test {
protected:
    void SetUp() override {
        auto* strip = new Bitmap(kStripPicture);
        knob = new StripKnob(Rect(4, 2, 20, 18), nullptr, 0, kStripFrames, kStripFrameSize, strip);
        strip->forget();
    }
    void TearDown() override { delete knob; }

    int shownFrame(float value) {
        knob->setValue(value);
        MemorySurface surface(24, 20, colourRef(255, 255, 255));
        DrawContext context(nullptr, surface.dc(), nullptr);
        knob->draw(context);
        const int frame = static_cast<int>(surface.pixel(4, 2) & 0xFF) / 2;  // red names the frame
        for (const auto& [x, y] : {std::pair{0, 0}, {15, 15}, {7, 9}}) {
            EXPECT_EQ(surface.pixel(4 + x, 2 + y), stripColour(frame, x, y)) << "value " << value;
        }
        return frame;
    }

    StripKnob* knob = nullptr;
};

}  // namespace

TEST_F(StripKnobFrames, ValuesBetweenZeroAndOneShowFrameFloorOfValueTimes127) {
    for (int k = 0; k < kStripFrames - 1; ++k) {
        const float value = (static_cast<float>(k) + 0.5f) / 127.0f;
        EXPECT_EQ(shownFrame(value), k) << "value " << value;
    }
    EXPECT_EQ(shownFrame(0.999f), 126);
    EXPECT_EQ(knob->getDrawnValue(), 0.999f);
}

TEST_F(StripKnobFrames, ZeroAndBelowShowTheFirstFrameOneAndAboveTheLast) {
    EXPECT_EQ(shownFrame(0.0f), 0);
    EXPECT_EQ(shownFrame(-0.5f), 0);
    EXPECT_EQ(shownFrame(std::nanf("")), 0);
    EXPECT_EQ(shownFrame(1.0f), kStripFrames - 1);
    // Never a row past the strip, however far above 1.
    EXPECT_EQ(shownFrame(1.5f), kStripFrames - 1);
    EXPECT_EQ(shownFrame(std::numeric_limits<float>::max()), kStripFrames - 1);
    EXPECT_EQ(shownFrame(std::numeric_limits<float>::infinity()), kStripFrames - 1);
}

TEST(StripKnob, AStripWithoutFramesShowsItsTopAndDoesNotCrash) {
    auto* strip = new Bitmap(kStripPicture);
    StripKnob none(Rect(0, 0, 16, 16), nullptr, 0, 0, kStripFrameSize, strip);
    StripKnob flat(Rect(0, 0, 16, 16), nullptr, 0, kStripFrames, 0, strip);
    StripKnob missing(Rect(0, 0, 16, 16), nullptr, 0, kStripFrames, kStripFrameSize, nullptr);
    strip->forget();
    MemorySurface surface(16, 16, colourRef(255, 255, 255));
    DrawContext context(nullptr, surface.dc(), nullptr);
    for (StripKnob* knob : {&none, &flat}) {
        knob->setValue(0.7f);
        EXPECT_EQ(knob->frameTop(), 0);
        knob->draw(context);
        EXPECT_EQ(knob->getDrawnValue(), 0.7f);
    }
    EXPECT_EQ(surface.pixel(5, 5), stripColour(0, 5, 5));
    missing.setValue(0.7f);
    MemorySurface untouched(16, 16, colourRef(255, 255, 255));
    DrawContext untouchedContext(nullptr, untouched.dc(), nullptr);
    missing.draw(untouchedContext);
    EXPECT_TRUE(untouched.inked().empty());
    EXPECT_EQ(missing.getDrawnValue(), 0.7f);
}
