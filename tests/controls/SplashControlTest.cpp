#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "controls/SplashControl.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/FrameDrawContext.h"

namespace {

using Values = std::vector<float>;

// The click area is (80, 60)-(110, 75); the picture covers the whole editor.
class SplashClicks : public testing::Test {
protected:
    void SetUp() override {
        auto* picture = new Bitmap(kSplashPicture);
        splash = window.add(new SplashControl(kClickArea, &listener, 20, picture, Rect(0, 0, 120, 80)));
        picture->forget();
        window.paint();
    }
    bool showsPicture() const {
        return window.pixel(5, 7) == splashColour(5, 7) && window.pixel(100, 70) == splashColour(100, 70);
    }
    bool showsEditor() const {
        return window.pixel(5, 7) == kEditorBackColour && window.pixel(100, 70) == kEditorBackColour;
    }
    static bool sameRect(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }

    static constexpr Rect kClickArea{80, 60, 110, 75};
    RecordingListener listener;
    EditorWindow window;
    SplashControl* splash = nullptr;
};

}  // namespace

TEST_F(SplashClicks, AClickShowsThePictureAsTheModalViewAndAClickOnItHidesIt) {
    ASSERT_TRUE(showsEditor());
    Gesture().click(window.window(), 90, 65).perform();
    EXPECT_EQ(listener.values, Values{1.0f});
    EXPECT_EQ(listener.tags, std::vector<int32_t>{20});
    EXPECT_EQ(window.frame->getModalView(), splash);
    EXPECT_TRUE(sameRect(splash->size, splash->getSplashRect()));
    EXPECT_TRUE(showsPicture());

    // Far from the click area, but on the picture.
    Gesture().click(window.window(), 10, 10).perform();
    EXPECT_EQ(listener.values, (Values{1.0f, 0.0f}));
    EXPECT_EQ(window.frame->getModalView(), nullptr);
    EXPECT_TRUE(sameRect(splash->size, kClickArea));
    EXPECT_TRUE(showsEditor());
    EXPECT_EQ(splash->getValue(), 0.0f);
}

TEST_F(SplashClicks, SetValueShowsThePictureAtTheNextUpdateWithoutBecomingModal) {
    splash->setValue(1.0f);
    EXPECT_TRUE(showsEditor());
    window.frame->idle();
    EXPECT_TRUE(showsPicture());
    EXPECT_EQ(window.frame->getModalView(), nullptr);
    EXPECT_TRUE(sameRect(splash->size, kClickArea));
    EXPECT_TRUE(listener.values.empty());

    // Its own click area still hides it, and keeps its size.
    Gesture().click(window.window(), 90, 65).perform();
    EXPECT_EQ(listener.values, Values{0.0f});
    EXPECT_TRUE(sameRect(splash->size, kClickArea));
    EXPECT_TRUE(showsEditor());
}

TEST_F(SplashClicks, RefusedAsModalViewItStaysHiddenAtItsClickArea) {
    std::vector<std::string> log;
    RecordingView other(Rect(0, 0, 5, 5), "other", log);
    ASSERT_TRUE(window.frame->setModalView(&other));
    {
        FrameDrawContext context(*window.frame);
        splash->onMouseDown(context, Point(90, 65));
    }
    EXPECT_EQ(splash->getValue(), 0.0f);
    EXPECT_TRUE(sameRect(splash->size, kClickArea));
    EXPECT_EQ(window.frame->getModalView(), &other);
    EXPECT_TRUE(listener.values.empty());
    window.frame->setModalView(nullptr);

    // The next click still works as the first one.
    Gesture().click(window.window(), 90, 65).perform();
    EXPECT_EQ(listener.values, Values{1.0f});
    EXPECT_TRUE(showsPicture());
}

TEST(SplashControl, OutsideAFrameAClickChangesNothing) {
    RecordingListener listener;
    SplashControl splash(Rect(0, 0, 10, 10), &listener, 20, nullptr, Rect(0, 0, 50, 50));
    DrawContext context(nullptr, nullptr, nullptr);
    splash.onMouseDown(context, Point(5, 5));
    EXPECT_EQ(splash.getValue(), 0.0f);
    EXPECT_EQ(splash.size.right, 10);
    EXPECT_TRUE(listener.values.empty());
}
