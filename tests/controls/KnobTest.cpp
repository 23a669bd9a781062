#include <gtest/gtest.h>

#include <cmath>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "controls/Knob.h"
#include "controls/StripKnob.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

constexpr double kPi = 3.14159265358979;

// A 16 x 16 strip knob at (20, 20): its centre is (28, 28), its right edge
// x = 36 and its left edge x = 20 on the centre line y = 28.
class KnobGesture : public testing::Test {
protected:
    void SetUp() override {
        auto* strip = new Bitmap(kStripPicture);
        knob = window.add(new StripKnob(Rect(20, 20, 36, 36), &listener, 7, kStripFrames, kStripFrameSize, strip));
        strip->forget();
        window.paint();
    }
    float pressAt(int x, int y) {
        listener.values.clear();
        Gesture().click(window.window(), x, y).perform();
        return knob->getValue();
    }

    RecordingListener listener;
    EditorWindow window;
    StripKnob* knob = nullptr;
};

// Where the handle of a 40 x 40 knob with a 6 x 6 handle lands, through its
// colour on a white surface.
Rect handleInk(Knob& knob) {
    MemorySurface surface(40, 40, colourRef(255, 255, 255));
    DrawContext context(nullptr, surface.dc(), nullptr);
    knob.draw(context);
    return surface.inkBounds();
}

}  // namespace

TEST_F(KnobGesture, PressesFollowTheArcFromLowerLeftOverTheTopToLowerRight) {
    EXPECT_FLOAT_EQ(pressAt(28, 28), 0.5f);
    EXPECT_NEAR(pressAt(36, 28), 5.0 / 6.0, 1e-6);
    EXPECT_NEAR(pressAt(20, 28), 1.0 / 6.0, 1e-6);
    EXPECT_NEAR(pressAt(28, 20), 0.5, 1e-6);
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(listener.tags.back(), 7);
}

TEST_F(KnobGesture, TheGapBelowTheCentreGivesTheNearerEndOfTheRange) {
    EXPECT_EQ(pressAt(27, 35), 0.0f);
    EXPECT_EQ(pressAt(29, 35), 1.0f);
    EXPECT_EQ(pressAt(23, 34), 0.0f);
    EXPECT_EQ(pressAt(33, 34), 1.0f);
}

TEST_F(KnobGesture, ADragNotifiesOncePerChangedValueAndRunsTheIdleWork) {
    Gesture()
        .moveTo(window.window(), 20, 28)
        .press()
        .moveTo(window.window(), 28, 20)
        .moveTo(window.window(), 28, 20)
        .moveTo(window.window(), 36, 28)
        .release()
        .perform();
    ASSERT_EQ(listener.values.size(), 3u);
    EXPECT_NEAR(listener.values[0], 1.0 / 6.0, 1e-6);
    EXPECT_NEAR(listener.values[1], 0.5, 1e-6);
    EXPECT_NEAR(listener.values[2], 5.0 / 6.0, 1e-6);
    // Five pauses of 60 ms with the button held: the loop ran its 50 ms idle more than once.
    EXPECT_GE(window.owner.idles, 2);
    EXPECT_EQ(knob->getDrawnValue(), knob->getValue());
    const int frame = static_cast<int>(std::floor(knob->getValue() * 127.0f));
    EXPECT_EQ(window.pixel(20 + 3, 20 + 5), stripColour(frame, 3, 5));
}

TEST_F(KnobGesture, AltClickRestoresTheDefaultWithoutTracking) {
    knob->setDefaultValue(0.3f);
    knob->setValue(0.2f);
    window.frame->idle();
    Gesture()
        .moveTo(window.window(), 20, 28)
        .keyDown(kAltKeyCode)
        .press()
        .moveTo(window.window(), 36, 28)
        .release()
        .keyUp(kAltKeyCode)
        .perform();
    EXPECT_EQ(listener.values, std::vector<float>{0.3f});
    EXPECT_EQ(knob->getValue(), 0.3f);

    // Already at the default: nothing changed, nobody is told. The pointer
    // goes first: under Wine a pointer move can drop a modifier held before it.
    Gesture()
        .moveTo(window.window(), 20, 28)
        .keyDown(kAltKeyCode)
        .press()
        .release()
        .keyUp(kAltKeyCode)
        .perform();
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(knob->getValue(), 0.3f);
}

TEST(KnobGeometry, ValueToPointAndBackGivesTheValueUpToOnePixel) {
    StripKnob strip(Rect(0, 0, 100, 100), nullptr, 0, kStripFrames, kStripFrameSize, nullptr);
    Knob plain(Rect(0, 0, 100, 100), nullptr, 0, nullptr, nullptr);
    for (Knob* knob : {static_cast<Knob*>(&strip), &plain}) {
        knob->setMinimum(-2.0f);
        knob->setMaximum(6.0f);
        // One pixel of the radius, in value: an angle of about 1.5 / r radians over 3 pi / 2.
        const double r = (100 - 2 * knob->getInset()) / 2.0;
        const double tolerance = 1.5 / r / (1.5 * kPi) * 8.0;
        for (int step = 0; step <= 100; ++step) {
            const float value = -2.0f + 8.0f * static_cast<float>(step) / 100.0f;
            knob->setValue(value);
            Point p;
            knob->valueToPoint(p);
            EXPECT_NEAR(knob->valueFromPoint(p), value, tolerance) << "inset " << knob->getInset();
        }
    }
}

TEST(KnobGeometry, AnEmptyRangeOrAValueThatIsNotANumberStaysOnTheScreen) {
    Knob knob(Rect(0, 0, 40, 40), nullptr, 0, nullptr, nullptr);
    knob.setMinimum(0.5f);
    knob.setMaximum(0.5f);
    knob.setValue(0.5f);
    Point p;
    knob.valueToPoint(p);
    EXPECT_LE(std::abs(p.h), 40);
    EXPECT_EQ(knob.valueFromPoint(Point(0, 0)), 0.5f);
    knob.setMaximum(1.0f);
    knob.setValue(std::nanf(""));
    knob.valueToPoint(p);
    EXPECT_LE(std::abs(p.h) + std::abs(p.v), 80);
}

TEST(KnobHandle, RunsOnACircleAroundTheCentreAndKeepsItsKeyColourTransparent) {
    auto* handle = new Bitmap(kHandlePicture);
    Knob knob(Rect(0, 0, 40, 40), nullptr, 0, nullptr, handle);
    handle->forget();
    ASSERT_EQ(knob.getInset(), 3);
    const double r = (40 - 6) / 2.0;
    // value 0 at 225 degrees clockwise from 12 o'clock, 1 at 135.
    const struct {
        float value;
        double degrees;
    } cases[] = {{0.0f, 225.0}, {0.5f, 0.0}, {1.0f, 135.0}, {0.25f, 292.5}};
    for (const auto& c : cases) {
        knob.setValue(c.value);
        const Rect ink = handleInk(knob);
        EXPECT_EQ(ink.width(), 5) << c.value;
        const double angle = c.degrees * kPi / 180.0;
        // Pixel i spans i..i+1, so the handle's centre lies half a pixel past the middle index.
        EXPECT_NEAR((ink.left + ink.right + 1) / 2.0, 20 + r * std::sin(angle), 1.0) << c.value;
        EXPECT_NEAR((ink.top + ink.bottom + 1) / 2.0, 20 - r * std::cos(angle), 1.0) << c.value;
        EXPECT_EQ(knob.getDrawnValue(), c.value);
    }
}

TEST(KnobHandle, WithoutAHandleOnlyTheBackgroundIsDrawn) {
    auto* background = new Bitmap(kKnobBackPicture);
    Knob knob(Rect(2, 3, 42, 43), nullptr, 0, background, nullptr, Point(5, 4));
    background->forget();
    knob.setValue(0.7f);
    MemorySurface surface(48, 48, colourRef(255, 255, 255));
    DrawContext context(nullptr, surface.dc(), nullptr);
    knob.draw(context);
    EXPECT_EQ(surface.inkBounds().left, 2);
    EXPECT_EQ(surface.inkBounds().bottom, 42);
    for (const auto& [x, y] : {std::pair{2, 3}, {41, 42}, {20, 20}}) {
        EXPECT_EQ(surface.pixel(x, y), knobBackColour(x - 2 + 5, y - 3 + 4)) << x << "," << y;
    }
    EXPECT_EQ(knob.getDrawnValue(), 0.7f);
}

// The handle's centre and the pointer are compared in the same coordinates,
// so a press where the handle shows a value gives that value back.
TEST(KnobHandle, APressOnTheHandleGivesTheValueItShows) {
    RecordingListener listener;
    EditorWindow window;
    auto* handle = new Bitmap(kHandlePicture);
    Knob* knob = window.add(new Knob(Rect(30, 20, 70, 60), &listener, 3, nullptr, handle));
    handle->forget();
    window.paint();
    Gesture().click(window.window(), 50, 40).perform();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f);

    knob->setValue(0.8f);
    Point p;
    knob->valueToPoint(p);
    knob->setValue(0.0f);
    Gesture().click(window.window(), 30 + p.h, 20 + p.v).perform();
    EXPECT_NEAR(knob->getValue(), 0.8f, 0.03f);
    EXPECT_EQ(listener.values.size(), 2u);
}

namespace {

// Closes the knob's frame at its first notification, as a host that closes
// the editor from the automation it was just told of.
class ClosingListener : public ControlListener {
public:
    void valueChanged(DrawContext&, Control& control) override {
        ++told;
        control.getParent()->close();
    }
    int told = 0;
};

class WatchedKnob : public StripKnob {
public:
    WatchedKnob(ControlListener* told, Bitmap* strip, bool& deleted)
        : StripKnob(Rect(20, 20, 36, 36), told, 7, kStripFrames, kStripFrameSize, strip), gone(deleted) {}
    ~WatchedKnob() override { gone = true; }

private:
    bool& gone;
};

}  // namespace

TEST(KnobClosing, AFrameClosedInsideADragLivesUntilTheDragEndsAndHearsNothingMore) {
    EditorWindow window;
    ClosingListener listener;
    bool deleted = false;
    auto* strip = new Bitmap(kStripPicture);
    window.add(new WatchedKnob(&listener, strip, deleted));
    strip->forget();
    window.paint();
    const SystemWindow child = window.window();
    const uintptr_t childId = windowId(child);
    window.frame = nullptr;  // the frame is the drag's to end now
    Gesture()
        .moveTo(child, 36, 28)
        .press()
        .moveTo(child, 20, 28)
        .moveTo(child, 28, 20)
        .release()
        .perform();
    EXPECT_EQ(listener.told, 1);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(windowExists(childId));
}
