#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ControlTestSupport.h"
#include "ExtraPictures.h"
#include "TextLook.h"
#include "controls/DigitDisplay.h"
#include "controls/StripAnimation.h"
#include "controls/StripIndicator.h"
#include "controls/VuMeter.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

constexpr COLORREF kSurfaceColour = RGB(90, 90, 90);
constexpr float kNotANumber = std::numeric_limits<float>::quiet_NaN();
// Strip controls are one 10 x 10 frame at (10, 10).
const Rect kFrameBox(10, 10, 20, 20);

class Picture {
public:
    explicit Picture(int32_t id) : bitmap(new Bitmap(id)) {}
    ~Picture() { bitmap->forget(); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Bitmap* get() const { return bitmap; }

private:
    Bitmap* bitmap;
};

// The strip frame a control shows, from two rows of its picture; -1 for
// anything else, -2 when nothing was drawn.
int shownFrame(Control& control) {
    MemorySurface surface(40, 40, kSurfaceColour);
    drawInto(surface, control);
    const COLORREF top = surface.pixel(12, 10);
    if (top == kSurfaceColour) return -2;
    for (int k = 0; k < 5; ++k) {
        if (top == stripColour(k, 0) && surface.pixel(12, 19) == stripColour(k, 9)) return k;
    }
    return -1;
}

// The digits a display shows at the three places it is given below.
std::vector<int> shownDigits(DigitDisplay& display) {
    MemorySurface surface(60, 30, kSurfaceColour);
    drawInto(surface, display);
    std::vector<int> digits;
    for (int x : {10, 20, 30}) {
        int shown = -1;
        for (int d = 0; d < 10; ++d) {
            if (surface.pixel(x + 2, 12) == digitColour(d, 0) && surface.pixel(x + 2, 19) == digitColour(d, 7)) {
                shown = d;
            }
        }
        digits.push_back(shown);
    }
    return digits;
}

const int32_t kDigitX[] = {10, 20, 30};
const int32_t kDigitY[] = {12, 12, 12};

DigitDisplay* makeDigits(Bitmap* digits, int32_t value, int32_t count = 3) {
    return new DigitDisplay(Rect(10, 12, 36, 20), nullptr, 0, value, count, kDigitX, kDigitY, kDigitWidth,
                            kDigitHeight, digits);
}

// Rows of a vertical 40 x 40 meter at (10, 10) that show the dark picture.
int darkRows(VuMeter& meter) {
    MemorySurface surface(60, 60, kSurfaceColour);
    drawInto(surface, meter);
    int dark = 0;
    for (int y = 10; y < 50; ++y) {
        const COLORREF colour = surface.pixel(25, y);
        if (colour == meterOffColour(15, y - 10)) {
            ++dark;
        } else {
            EXPECT_EQ(colour, meterOnColour(15, y - 10)) << "row " << y;
        }
    }
    return dark;
}

}  // namespace

TEST(StripIndicator, ItShowsTheNearestFrameWithHalvesRoundingUp) {
    Picture strip(kIndicatorStripPicture);
    StripIndicator indicator(kFrameBox, nullptr, 0, 5, kIndicatorFrameSize, strip.get(), Point(0, 0));
    const std::vector<std::pair<float, int>> framesOfValues{{0.0f, 0}, {0.1f, 0}, {0.13f, 1}, {0.125f, 1},
                                                             {0.5f, 2}, {0.9f, 4}, {-3.0f, 0}, {kNotANumber, 0}};
    for (const auto& [value, frame] : framesOfValues) {
        indicator.setValue(value);
        EXPECT_EQ(shownFrame(indicator), frame) << value;
    }
    indicator.setValue(1.7f);
    EXPECT_EQ(shownFrame(indicator), 4);
    EXPECT_EQ(indicator.getValue(), 1.0f) << "stored back within the range";
    EXPECT_EQ(indicator.getDrawnValue(), 1.0f);

    StripIndicator fromSecond(kFrameBox, nullptr, 0, 4, kIndicatorFrameSize, strip.get(),
                              Point(0, kIndicatorFrameSize));
    fromSecond.setValue(1.0f);
    EXPECT_EQ(shownFrame(fromSecond), 4) << "counted from the offset";
}

TEST(StripAnimation, AClickWhileStoppedStartsItAndTellsTheListener) {
    Picture strip(kIndicatorStripPicture);
    RecordingListener listener;
    StripAnimation animation(kFrameBox, &listener, 5, 4, kIndicatorFrameSize, strip.get(), Point(0, 0));
    MemorySurface surface(40, 40, kSurfaceColour);
    DrawContext context(nullptr, surface.dc(), nullptr);
    animation.setValue(20.0f);
    animation.onMouseDown(context, Point(12, 12));
    EXPECT_TRUE(animation.isRunning());
    EXPECT_EQ(listener.tags, (std::vector<int32_t>{5}));
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f}));
    EXPECT_EQ(surface.pixel(12, 10), stripColour(0, 0)) << "the listener's update drew the first frame";
}

TEST(StripAnimation, AClickWhileRunningShowsTheFirstFrameOnceAndStopsQuietly) {
    Picture strip(kIndicatorStripPicture);
    RecordingListener listener;
    StripAnimation animation(kFrameBox, &listener, 5, 4, kIndicatorFrameSize, strip.get(), Point(0, 0));
    animation.start();
    animation.setValue(30.0f);
    MemorySurface surface(40, 40, kSurfaceColour);
    DrawContext context(nullptr, surface.dc(), nullptr);
    animation.onMouseDown(context, Point(12, 12));
    EXPECT_FALSE(animation.isRunning());
    EXPECT_TRUE(listener.tags.empty());
    EXPECT_EQ(surface.pixel(12, 10), stripColour(0, 0));
    EXPECT_EQ(surface.pixel(12, 19), stripColour(0, 9));

    animation.nextFrame();
    MemorySurface stopped(40, 40, kSurfaceColour);
    DrawContext stoppedContext(nullptr, stopped.dc(), nullptr);
    animation.update(stoppedContext);
    EXPECT_TRUE(stopped.inked().empty()) << "stopped, it draws nothing";
}

TEST(StripAnimation, StepsShowEveryFrameAndWrapBothWays) {
    Picture strip(kIndicatorStripPicture);
    StripAnimation animation(kFrameBox, nullptr, 0, 4, kIndicatorFrameSize, strip.get(), Point(0, 0));
    animation.start();
    std::vector<int> forwards;
    for (int i = 0; i < 5; ++i) {
        forwards.push_back(shownFrame(animation));
        animation.nextFrame();
    }
    EXPECT_EQ(forwards, (std::vector<int>{0, 1, 2, 3, 0}));
    std::vector<int> backwards;
    for (int i = 0; i < 5; ++i) {
        animation.previousFrame();
        backwards.push_back(shownFrame(animation));
    }
    EXPECT_EQ(backwards, (std::vector<int>{0, 3, 2, 1, 0}));

    animation.setValue(kNotANumber);
    animation.nextFrame();
    EXPECT_EQ(animation.getValue(), 0.0f);
    animation.setValue(1000.0f);
    animation.previousFrame();
    EXPECT_EQ(shownFrame(animation), 3);
}

TEST(DigitDisplay, ItShowsLeadingZerosAndClampsToWhatTheDigitsCanShow) {
    Picture digits(kDigitsPicture);
    DigitDisplay* display = makeDigits(digits.get(), 42);
    EXPECT_EQ(shownDigits(*display), (std::vector<int>{0, 4, 2}));
    display->setValue(1500.0f);
    EXPECT_EQ(shownDigits(*display), (std::vector<int>{9, 9, 9}));
    display->setValue(-3.0f);
    EXPECT_EQ(shownDigits(*display), (std::vector<int>{0, 0, 0}));
    display->setValue(907.9f);
    EXPECT_EQ(shownDigits(*display), (std::vector<int>{9, 0, 7}));
    display->setValue(kNotANumber);
    EXPECT_EQ(shownDigits(*display), (std::vector<int>{0, 0, 0}));
    display->setValue(3e30f);
    EXPECT_EQ(shownDigits(*display), (std::vector<int>{9, 9, 9}));
    EXPECT_EQ(display->getMinimum(), 0.0f);
    EXPECT_EQ(display->getMaximum(), 999.0f);
    delete display;
}

TEST(DigitDisplay, TheRangeFollowsTheDigitCountUpToSeven) {
    Picture digits(kDigitsPicture);
    const int32_t places[7] = {};
    DigitDisplay one(Rect(0, 0, 6, 8), nullptr, 0, 0, 1, places, places, kDigitWidth, kDigitHeight, digits.get());
    DigitDisplay many(Rect(0, 0, 6, 8), nullptr, 0, 0, 12, places, places, kDigitWidth, kDigitHeight, digits.get());
    DigitDisplay none(Rect(0, 0, 6, 8), nullptr, 0, 0, 0, nullptr, nullptr, kDigitWidth, kDigitHeight, nullptr);
    EXPECT_EQ(one.getMaximum(), 9.0f);
    EXPECT_EQ(many.getDigitCount(), 7);
    EXPECT_EQ(many.getMaximum(), 9999999.0f);
    EXPECT_EQ(none.getDigitCount(), 1);
}

TEST(DigitDisplay, ANormalisedValueIsAFractionOfTheMaximumWithinZeroAndOne) {
    Picture digits(kDigitsPicture);
    DigitDisplay* display = makeDigits(digits.get(), 333);
    EXPECT_FLOAT_EQ(display->getNormalisedValue(), 333.0f / 999.0f);
    display->setValue(5000.0f);
    EXPECT_EQ(display->getNormalisedValue(), 1.0f);
    display->setValue(-5.0f);
    EXPECT_EQ(display->getNormalisedValue(), 0.0f);
    display->setValue(kNotANumber);
    EXPECT_EQ(display->getNormalisedValue(), 0.0f);
    delete display;
}

TEST(DigitDisplay, ARangeBeyondItsDigitsShowsNoDigitOutsideTheStrip) {
    Picture digits(kDigitsPicture);
    DigitDisplay* display = makeDigits(digits.get(), 0);
    display->setMaximum(0.5f);
    display->setMinimum(-50.0f);
    display->setValue(-20.0f);
    for (int digit : shownDigits(*display)) EXPECT_EQ(digit, 0);
    delete display;
}

TEST(VuMeter, AFallingLevelDropsByTheDecayPerRedrawAndARisingOneAtOnce) {
    Picture on(kMeterOnPicture);
    Picture off(kMeterOffPicture);
    VuMeter meter(Rect(10, 10, 50, 50), on.get(), off.get(), 8, 0);
    EXPECT_EQ(meter.getListener(), nullptr);
    meter.setDecay(0.1f);
    meter.setValue(1.0f);
    EXPECT_EQ(darkRows(meter), 0);
    // Eight LEDs of 5 rows each; the unlit part rounds to whole LEDs.
    const std::vector<int> expectedDark{5, 10, 10, 15, 20};
    for (size_t step = 0; step < expectedDark.size(); ++step) {
        meter.setValue(0.0f);
        EXPECT_EQ(darkRows(meter), expectedDark[step]) << "redraw " << step + 1;
        EXPECT_NEAR(meter.getValue(), 0.9 - 0.1 * static_cast<double>(step), 1e-5);
        EXPECT_EQ(meter.getDrawnValue(), meter.getValue()) << "the held-back level is what was drawn";
    }
    meter.setValue(1.0f);
    EXPECT_EQ(darkRows(meter), 0);
    EXPECT_EQ(meter.getValue(), 1.0f);
}

TEST(VuMeter, AHorizontalMeterLightsFromTheLeft) {
    Picture on(kMeterOnPicture);
    Picture off(kMeterOffPicture);
    VuMeter meter(Rect(10, 10, 50, 50), on.get(), off.get(), 8, VuMeter::kHorizontal);
    meter.setValue(0.5f);
    MemorySurface surface(60, 60, kSurfaceColour);
    drawInto(surface, meter);
    EXPECT_EQ(surface.pixel(12, 20), meterOnColour(2, 10));
    EXPECT_EQ(surface.pixel(29, 20), meterOnColour(19, 10));
    EXPECT_EQ(surface.pixel(30, 20), meterOffColour(20, 10));
    EXPECT_EQ(surface.pixel(49, 49), meterOffColour(39, 39));
}

TEST(VuMeter, OutOfRangeLevelsAndMissingPicturesAreSurvived) {
    Picture on(kMeterOnPicture);
    VuMeter meter(Rect(10, 10, 50, 50), on.get(), nullptr, 0, 0);
    meter.setValue(7.0f);
    MemorySurface surface(60, 60, kSurfaceColour);
    drawInto(surface, meter);
    EXPECT_EQ(meter.getValue(), 1.0f);
    EXPECT_EQ(surface.pixel(25, 10), meterOnColour(15, 0));
    meter.setValue(kNotANumber);
    meter.setDecay(kNotANumber);
    drawInto(surface, meter);
    EXPECT_EQ(meter.getValue(), 0.0f);

    VuMeter blind(Rect(10, 10, 50, 50), nullptr, nullptr, 8, 0);
    blind.setValue(0.5f);
    MemorySurface untouched(60, 60, kSurfaceColour);
    drawInto(untouched, blind);
    EXPECT_TRUE(untouched.inked().empty());
}
