// Where the controls sit, which parameter each carries, what they show at
// opening and how host changes reach them.
#include <gtest/gtest.h>

#include <limits>

#include "LocalPlugin.h"
#include "PanelLayout.h"
#include "controls/Control.h"
#include "controls/SplashControl.h"
#include "gui/Frame.h"

namespace {

void expectRect(const Rect& actual, int left, int top, int right, int bottom) {
    EXPECT_EQ(actual.left, left);
    EXPECT_EQ(actual.top, top);
    EXPECT_EQ(actual.right, right);
    EXPECT_EQ(actual.bottom, bottom);
}

class MalletEditorLayout : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(plugin.open(), 1); }
    Control* control(int slot) const { return plugin.editor()->getControl(slot); }

    LocalPlugin plugin;
};

}  // namespace

TEST_F(MalletEditorLayout, KnobsSitOnThePanelsKnobSitesAndShowTheirParameters) {
    for (int tag = 0; tag < 18; ++tag) {
        SCOPED_TRACE(tag);
        ASSERT_NE(control(tag), nullptr);
        EXPECT_EQ(control(tag)->getTag(), tag);
        const PanelSpot spot = kKnobSpots[tag];
        expectRect(control(tag)->size, spot.x, spot.y, spot.x + kKnobSize, spot.y + kKnobSize);
        EXPECT_EQ(control(tag)->getValue(), plugin.synth->getParameter(tag));
    }
}

TEST_F(MalletEditorLayout, LampAndLogoAreaSitWhereThePanelDrewThemWithTheSplashOnTop) {
    EXPECT_EQ(control(18)->getTag(), 18);
    expectRect(control(18)->size, kLampSpot.x, kLampSpot.y, kLampSpot.x + kLampSize, kLampSpot.y + kLampSize);

    auto* splash = static_cast<SplashControl*>(control(19));
    EXPECT_EQ(splash->getTag(), 20);
    expectRect(splash->size, kAboutArea.left, kAboutArea.top, kAboutArea.right, kAboutArea.bottom);
    expectRect(splash->getSplashRect(), 0, 0, kPanelWidth, kPanelHeight);
    EXPECT_EQ(splash->getValue(), 0.0f);

    Frame* frame = plugin.editor()->getFrame();
    ASSERT_EQ(frame->getViewCount(), 20);
    for (int slot = 0; slot < 20; ++slot) EXPECT_EQ(frame->getView(slot), control(slot)) << slot;
    expectRect(frame->size, 0, 0, kPanelWidth, kPanelHeight);
}

// Pixels of the thresholds and of host changes are checked through the DLL.
// A change only records itself: the controls take it at the editor's idle,
// on the editor's own thread.
TEST_F(MalletEditorLayout, ControlsShowWhatTheInstrumentKeptAtTheNextIdle) {
    const float before = control(6)->getValue();
    plugin.synth->setParameter(6, 1.7f);
    EXPECT_EQ(plugin.synth->getParameter(6), 1.0f);
    EXPECT_EQ(control(6)->getValue(), before);
    plugin.editor()->editIdle();
    EXPECT_EQ(control(6)->getValue(), 1.0f);
    plugin.synth->setParameter(18, 1.0f);
    // Refused by the instrument: the vibrato stays on, so must the lamp.
    plugin.synth->setParameter(18, std::numeric_limits<float>::quiet_NaN());
    plugin.editor()->editIdle();
    EXPECT_EQ(plugin.synth->getParameter(18), 1.0f);
    EXPECT_EQ(control(18)->getValue(), 1.0f);
}

TEST_F(MalletEditorLayout, IndicesBeyondTheParametersChangeNoControl) {
    plugin.synth->setParameter(19, 0.7f);
    plugin.synth->setParameter(-1, 0.7f);
    plugin.editor()->parameterChanged(20, 1.0f);
    plugin.editor()->editIdle();
    EXPECT_EQ(control(19)->getValue(), 0.0f);
    for (int slot = 0; slot < 18; ++slot) EXPECT_EQ(control(slot)->getValue(), plugin.synth->getParameter(slot));
}
