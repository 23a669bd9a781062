#include <gtest/gtest.h>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "controls/OnOffButton.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

// The listener does not redraw, so whatever the window shows after a click
// the button drew itself.
class OnOffButtonClicks : public testing::Test {
protected:
    void SetUp() override {
        auto* picture = new Bitmap(kTwoStatePicture);
        button = window.add(new OnOffButton(Rect(60, 10, 68, 14), &listener, 18, picture));
        picture->forget();
        window.paint();
    }
    void click() { Gesture().click(window.window(), 63, 12).perform(); }

    RecordingListener listener{false};
    EditorWindow window;
    OnOffButton* button = nullptr;
};

}  // namespace

TEST_F(OnOffButtonClicks, OnlyAWholeOneCountsAsOnSo09TurnsOnAnd1TurnsOff) {
    button->setValue(0.9f);
    click();
    EXPECT_EQ(button->getValue(), 1.0f);
    click();
    EXPECT_EQ(button->getValue(), 0.0f);
    button->setValue(2.5f);
    click();
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(listener.tags.front(), 18);
}

TEST_F(OnOffButtonClicks, DrawsAtOnceAndNotifiesEvenWhenTheValueWasAlreadyDrawn) {
    EXPECT_EQ(window.pixel(60, 10), kOffLeftColour);
    button->setDrawnValue(1.0f);
    click();
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    EXPECT_EQ(window.pixel(60, 10), kOnLeftColour);
    EXPECT_EQ(window.pixel(67, 13), kOnRightColour);
    click();
    EXPECT_EQ(window.pixel(60, 10), kOffLeftColour);
    EXPECT_EQ(listener.values.size(), 2u);
}

TEST(OnOffButton, WithoutAPictureStillFlipsAndNotifiesButDrawsNothing) {
    RecordingListener listener;
    OnOffButton button(Rect(0, 0, 8, 4), &listener, 1, nullptr);
    MemorySurface surface(8, 4, colourRef(255, 255, 255));
    DrawContext context(nullptr, surface.dc(), nullptr);
    button.onMouseDown(context, Point(2, 2));
    EXPECT_EQ(button.getValue(), 1.0f);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    EXPECT_TRUE(surface.inked().empty());
}

