#include <gtest/gtest.h>

#include <cmath>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "controls/LatchButton.h"
#include "controls/MomentaryButton.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

using Values = std::vector<float>;

// A latch at (10, 10) and a momentary button at (40, 10), 4 x 4 each; the
// point (25, 40) lies outside both.
class HeldButtons : public testing::Test {
protected:
    void SetUp() override {
        auto* picture = new Bitmap(kTwoStatePicture);
        latch = window.add(new LatchButton(Rect(10, 10, 14, 14), &listener, 1, 4, picture));
        momentary = window.add(new MomentaryButton(Rect(40, 10, 44, 14), &listener, 2, 4, picture, Point(4, 0)));
        picture->forget();
        window.paint();
    }
    void pressDragOutAndRelease(int x, int y) {
        Gesture().moveTo(window.window(), x, y).press().moveTo(window.window(), 25, 40).release().perform();
    }

    RecordingListener listener;
    EditorWindow window;
    LatchButton* latch = nullptr;
    MomentaryButton* momentary = nullptr;
};

}  // namespace

TEST_F(HeldButtons, ALatchClickedInsideFlipsAndKeepsTheNewState) {
    Gesture().click(window.window(), 12, 12).perform();
    EXPECT_EQ(latch->getValue(), 1.0f);
    EXPECT_EQ(window.pixel(10, 10), kOnLeftColour);
    Gesture().click(window.window(), 14, 14).perform();
    EXPECT_EQ(latch->getValue(), 0.0f);
    EXPECT_EQ(window.pixel(10, 10), kOffLeftColour);
    EXPECT_EQ(listener.values, (Values{1.0f, 0.0f}));
}

TEST_F(HeldButtons, ALatchReleasedOutsideKeepsTheStateOfThePress) {
    pressDragOutAndRelease(12, 12);
    EXPECT_EQ(latch->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (Values{1.0f, 0.0f}));
    EXPECT_EQ(window.pixel(13, 13), kOffLeftColour);
}

TEST_F(HeldButtons, AMomentaryClickSendsOneThenZeroAndEndsAtZero) {
    Gesture().click(window.window(), 42, 12).perform();
    EXPECT_EQ(listener.values, (Values{1.0f, 0.0f}));
    EXPECT_EQ(listener.tags, (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(momentary->getValue(), 0.0f);
    EXPECT_EQ(window.pixel(40, 10), kOffRightColour);
}

TEST_F(HeldButtons, AMomentaryDragOutsideShowsZeroAndTheLastNotificationCarriesZero) {
    Gesture()
        .moveTo(window.window(), 42, 12)
        .press()
        .moveTo(window.window(), 25, 40)
        .moveTo(window.window(), 43, 11)
        .moveTo(window.window(), 25, 40)
        .release()
        .perform();
    // Each crossing of the edge tells the new state; a loaded machine may let
    // the loop see a crossing more, never fewer. The release tells 0 once more.
    const Values& told = listener.values;
    ASSERT_GE(told.size(), 5u);
    EXPECT_EQ(told.size() % 2, 1u);
    for (size_t i = 0; i + 1 < told.size(); ++i) EXPECT_EQ(told[i], i % 2 == 0 ? 1.0f : 0.0f) << i;
    EXPECT_EQ(told.back(), 0.0f);
    EXPECT_EQ(momentary->getValue(), 0.0f);
}

TEST(TwoStateButton, APressWhoseButtonIsAlreadyUpIsAPlainClick) {
    RecordingListener listener;
    LatchButton latch(Rect(0, 0, 4, 4), &listener, 1, 4, nullptr);
    MomentaryButton momentary(Rect(0, 0, 4, 4), &listener, 2, 4, nullptr);
    DrawContext context(nullptr, nullptr, nullptr);
    ASSERT_EQ(context.getMouseButtons(), 0);
    latch.onMouseDown(context, Point(50, 50));
    EXPECT_EQ(latch.getValue(), 1.0f);
    momentary.onMouseDown(context, Point(50, 50));
    EXPECT_EQ(momentary.getValue(), 0.0f);
    EXPECT_EQ(listener.values, (Values{1.0f, 1.0f, 0.0f}));
}

TEST(TwoStateButton, DrawingStoresValuesOutsideZeroToOneBackAtTheEnds) {
    auto* picture = new Bitmap(kTwoStatePicture);
    // The latch ignores its offset; the momentary button draws from it.
    LatchButton latch(Rect(0, 0, 4, 4), nullptr, 1, 4, picture, Point(4, 0));
    MomentaryButton momentary(Rect(4, 0, 8, 4), nullptr, 2, 4, picture, Point(4, 0));
    picture->forget();
    MemorySurface surface(8, 4, colourRef(255, 255, 255));
    DrawContext context(nullptr, surface.dc(), nullptr);
    const struct {
        float value;
        float stored;
        uint32_t latchColour;
        uint32_t momentaryColour;
    } cases[] = {{2.0f, 1.0f, kOnLeftColour, kOnRightColour},
                 {-1.0f, 0.0f, kOffLeftColour, kOffRightColour},
                 {std::nanf(""), 0.0f, kOffLeftColour, kOffRightColour},
                 {0.4f, 0.4f, kOnLeftColour, kOnRightColour}};
    for (const auto& c : cases) {
        latch.setValue(c.value);
        momentary.setValue(c.value);
        latch.draw(context);
        momentary.draw(context);
        EXPECT_EQ(latch.getValue(), c.stored) << c.value;
        EXPECT_EQ(momentary.getDrawnValue(), c.stored) << c.value;
        EXPECT_EQ(surface.pixel(3, 3), c.latchColour) << c.value;
        EXPECT_EQ(surface.pixel(4, 0), c.momentaryColour) << c.value;
    }
}
