#include <gtest/gtest.h>

#include "ControlPictures.h"
#include "ControlTestSupport.h"
#include "controls/Knob.h"
#include "controls/LatchButton.h"
#include "controls/MomentaryButton.h"
#include "controls/OnOffButton.h"
#include "controls/SplashControl.h"
#include "controls/StripKnob.h"
#include "gui/Bitmap.h"
#include "gui/DrawContext.h"

namespace {

// Counts its draws; exposes the conventions subclasses use.
class CountingControl : public Control {
public:
    CountingControl() : Control(Rect(0, 0, 10, 10), nullptr, 0) {}
    void draw(DrawContext&) override { ++draws; }
    using Control::forceRedraw;
    using Control::forceRedrawByFlip;
    int draws = 0;
};

}  // namespace

TEST(Control, StartsAtZeroWithDefaultHalfAndDrawsOnlyWhenTheValueDiffersFromTheOneDrawn) {
    CountingControl control;
    EXPECT_EQ(control.getValue(), 0.0f);
    EXPECT_EQ(control.getMaximum(), 1.0f);
    EXPECT_EQ(control.getDefaultValue(), 0.5f);
    DrawContext context(nullptr, nullptr, nullptr);
    control.update(context);
    EXPECT_EQ(control.draws, 1);
    control.setValue(7.5f);
    EXPECT_EQ(control.getValue(), 7.5f);
    EXPECT_EQ(control.draws, 1);
    control.setValue(0.0f);
    control.update(context);
    EXPECT_EQ(control.draws, 1);
    control.setValue(0.25f);
    control.update(context);
    EXPECT_EQ(control.draws, 2);
    EXPECT_EQ(control.getDrawnValue(), 0.25f);
}

TEST(Control, ForcingARedrawMarksItOutOfDateAtAnyValue) {
    CountingControl control;
    DrawContext context(nullptr, nullptr, nullptr);
    for (const float value : {0.0f, 0.5f, 1.0f, 3.0e7f, -3.0e7f}) {
        control.setValue(value);
        control.update(context);
        const int before = control.draws;
        control.forceRedraw();
        control.update(context);
        control.forceRedrawByFlip();
        control.update(context);
        EXPECT_EQ(control.draws, before + 2) << value;
    }
    control.setValue(0.5f);
    control.forceRedraw();
    EXPECT_FLOAT_EQ(control.getDrawnValue(), 0.6f);
}

TEST(Control, TrackingIdleReachesTheFramesOwnerOnlyInAFrameThatHasOne) {
    EditorWindow window;
    auto* control = new CountingControl;
    waitTicks(60);
    control->trackingIdle();
    EXPECT_EQ(window.owner.idles, 0);
    window.add(control);
    control->trackingIdle();
    EXPECT_EQ(window.owner.idles, 1);

    Frame editorless(Rect(0, 0, 10, 10), nullptr, nullptr);
    auto* orphan = new CountingControl;
    editorless.addView(orphan);
    waitTicks(60);
    orphan->trackingIdle();
    EXPECT_EQ(window.owner.idles, 1);
}

TEST(Control, EachControlHoldsOneReferenceOnEachPictureUntilDeleted) {
    auto* picture = new Bitmap(kTwoStatePicture);
    auto* other = new Bitmap(kKnobBackPicture);
    {
        Knob knob(Rect(0, 0, 40, 40), nullptr, 0, other, picture);
        StripKnob strip(Rect(0, 0, 4, 4), nullptr, 0, 2, 4, picture);
        OnOffButton onOff(Rect(0, 0, 4, 4), nullptr, 0, picture);
        LatchButton latch(Rect(0, 0, 4, 4), nullptr, 0, 4, picture);
        MomentaryButton momentary(Rect(0, 0, 4, 4), nullptr, 0, 4, picture);
        SplashControl splash(Rect(0, 0, 4, 4), nullptr, 0, picture, Rect(0, 0, 8, 8));
        Knob bare(Rect(0, 0, 40, 40), nullptr, 0, nullptr, nullptr);
        EXPECT_EQ(picture->getRefCount(), 7);
        EXPECT_EQ(other->getRefCount(), 2);

        knob.setBackground(other);
        EXPECT_EQ(other->getRefCount(), 2);
        knob.setBackground(nullptr);
        EXPECT_EQ(other->getRefCount(), 1);
        bare.setBackground(picture);
        EXPECT_EQ(bare.getBackground(), picture);
        EXPECT_EQ(picture->getRefCount(), 8);
    }
    EXPECT_EQ(picture->getRefCount(), 1);
    EXPECT_EQ(other->getRefCount(), 1);
    picture->forget();
    other->forget();
}

// A strip knob, three buttons and a splash, each pressed once with a real click.
class PressedControls : public testing::Test {
protected:
    void build(ControlListener* listener) {
        auto* picture = new Bitmap(kTwoStatePicture);
        knob = window.add(new StripKnob(Rect(10, 10, 26, 26), listener, 0, 2, 4, picture));
        onOff = window.add(new OnOffButton(Rect(30, 10, 38, 14), listener, 1, picture));
        latch = window.add(new LatchButton(Rect(40, 10, 44, 14), listener, 2, 4, picture));
        momentary = window.add(new MomentaryButton(Rect(50, 10, 54, 14), listener, 3, 4, picture));
        splash = window.add(new SplashControl(Rect(60, 10, 70, 20), listener, 4, picture, Rect(0, 0, 80, 60)));
        picture->forget();
        window.paint();
    }
    std::vector<Control*> all() const { return {knob, onOff, latch, momentary, splash}; }
    void clickEach() {
        for (Control* control : all()) {
            Gesture().click(window.window(), control->size.left + 2, control->size.top + 2).perform();
        }
    }

    EditorWindow window;
    StripKnob* knob = nullptr;
    OnOffButton* onOff = nullptr;
    LatchButton* latch = nullptr;
    MomentaryButton* momentary = nullptr;
    SplashControl* splash = nullptr;
};

TEST_F(PressedControls, WithoutMouseAPressChangesNothingAndNotifiesNobody) {
    RecordingListener listener;
    build(&listener);
    for (Control* control : all()) {
        control->setValue(0.25f);
        control->setAcceptsMouse(false);
    }
    clickEach();
    EXPECT_TRUE(listener.values.empty());
    for (Control* control : all()) EXPECT_EQ(control->getValue(), 0.25f) << control->getTag();
    EXPECT_EQ(window.frame->getModalView(), nullptr);
}

TEST_F(PressedControls, WithoutAListenerAPressStillChangesTheValue) {
    build(nullptr);
    knob->setValue(0.25f);
    clickEach();
    // (2, 2) in a 16-pixel knob lies at 10:30 on the dial, a third of the way.
    EXPECT_NEAR(knob->getValue(), 1.0f / 3.0f, 1e-6f);
    EXPECT_EQ(onOff->getValue(), 1.0f);
    EXPECT_EQ(latch->getValue(), 1.0f);
    EXPECT_EQ(momentary->getValue(), 0.0f);
    EXPECT_EQ(splash->getValue(), 1.0f);
    EXPECT_EQ(window.frame->getModalView(), splash);
}
