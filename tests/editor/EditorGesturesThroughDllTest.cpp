// The editor under a real mouse, through the real DLL: a second thread moves
// the pointer and presses the button while this thread runs the window.
#include <gtest/gtest.h>

#include <cmath>

#include "ControlTestSupport.h"
#include "DllEditorHost.h"
#include "GuiTestSupport.h"
#include "PanelLayout.h"

namespace {

constexpr int kStickHardness = 0;
constexpr int kVibratoSwitch = 18;
constexpr DWORD kIdleInterval = 50;  // milliseconds
// The editor draws between reading the clock and calling us.
constexpr DWORD kDrawingSlack = 5;  // milliseconds

int frameFor(float value) { return static_cast<int>(std::floor(value * 127.0f)); }

// One begin edit, then only automations, then one end edit, all of one parameter.
void expectOneBracketedGesture(const std::vector<EditCall>& edits, int32_t index) {
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front(), (EditCall{audioMasterBeginEdit, index}));
    EXPECT_EQ(edits.back(), (EditCall{audioMasterEndEdit, index}));
    for (size_t i = 1; i + 1 < edits.size(); ++i) EXPECT_EQ(edits[i], (EditCall{audioMasterAutomate, index})) << i;
}

std::vector<float> allParameters(DllPlugin& plugin) {
    std::vector<float> values;
    for (int i = 0; i < 19; ++i) values.push_back(plugin.getParameter(i));
    return values;
}

class EditorGestures : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(plugin.effect, nullptr);
        ASSERT_EQ(plugin.openEditor(), 1);
        window = plugin.editorWindow();
        ASSERT_NE(window, nullptr);
        hostLog().clear();
    }

    DllPlugin plugin;
    HWND window = nullptr;
};

}  // namespace

TEST_F(EditorGestures, KnobDragAutomatesEachNewValueAndIdlesTheHostAtMostEvery50ms) {
    const PanelSpot knob = kKnobSpots[kStickHardness];
    const int centreX = knob.x + kKnobSize / 2;
    const int centreY = knob.y + kKnobSize / 2;
    const DWORD start = GetTickCount();
    Gesture()
        .moveTo(window, centreX, centreY)
        .press()
        .moveTo(window, knob.x, centreY)
        .moveTo(window, knob.x + 4, knob.y + 8)
        .moveTo(window, centreX, knob.y)
        .moveTo(window, knob.x + kKnobSize, centreY)
        .release()
        .perform();
    const DWORD duration = GetTickCount() - start;

    expectOneBracketedGesture(hostLog().edits, kStickHardness);
    const auto& told = hostLog().automations;
    ASSERT_GE(told.size(), 3u);
    for (size_t i = 0; i < told.size(); ++i) {
        EXPECT_EQ(told[i].index, kStickHardness);
        EXPECT_EQ(told[i].storedWhenTold, told[i].value) << "the host was told before the instrument took it";
        if (i > 0) {
            EXPECT_NE(told[i].value, told[i - 1].value) << "told twice of one value";
        }
    }
    // The right edge on the centre line is five sixths of the way round.
    EXPECT_NEAR(told.back().value, 5.0f / 6.0f, 1e-3f);
    EXPECT_EQ(plugin.getParameter(kStickHardness), told.back().value);

    const auto& idles = hostLog().idleTicks;
    ASSERT_FALSE(idles.empty()) << "the host never idled during the drag";
    EXPECT_LE(idles.size(), duration / kIdleInterval + 1);
    for (size_t i = 1; i < idles.size(); ++i) {
        EXPECT_GE(idles[i] - idles[i - 1], kIdleInterval - kDrawingSlack);
    }

    plugin.idle();
    const Picture shown = plugin.screen().crop(knob.x, knob.y, kKnobSize, kKnobSize);
    EXPECT_EQ(shown.differencesFrom(knobFrame(frameFor(told.back().value))), 0);
}

TEST_F(EditorGestures, LampClickTogglesVibratoAndTellsTheHost) {
    const float before = plugin.getParameter(kVibratoSwitch);
    ASSERT_EQ(before, 0.0f);
    const int x = kLampSpot.x + kLampSize / 2;
    const int y = kLampSpot.y + kLampSize / 2;

    Gesture().click(window, x, y).perform();
    expectOneBracketedGesture(hostLog().edits, kVibratoSwitch);
    ASSERT_EQ(hostLog().automations.size(), 1u);
    EXPECT_EQ(hostLog().automations[0].index, kVibratoSwitch);
    EXPECT_EQ(hostLog().automations[0].value, 1.0f);
    EXPECT_EQ(plugin.getParameter(kVibratoSwitch), 1.0f);
    EXPECT_EQ(plugin.screen().crop(kLampSpot.x, kLampSpot.y, kLampSize, kLampSize).differencesFrom(lamp(true)), 0);

    Gesture().click(window, x, y).perform();
    ASSERT_EQ(hostLog().automations.size(), 2u);
    EXPECT_EQ(hostLog().automations[1].value, 0.0f);
    EXPECT_EQ(plugin.getParameter(kVibratoSwitch), 0.0f);
    EXPECT_EQ(plugin.screen().crop(kLampSpot.x, kLampSpot.y, kLampSize, kLampSize).differencesFrom(lamp(false)), 0);
}

TEST_F(EditorGestures, LogoClickShowsTheAboutPictureAndTheNextClickRestoresThePanel) {
    const Picture panel = plugin.screen();
    const Picture about = Picture::ofResource(pluginLibrary(), 128);
    ASSERT_EQ(about.width(), kPanelWidth);
    const std::vector<float> parameters = allParameters(plugin);

    Gesture().click(window, (kAboutArea.left + kAboutArea.right) / 2, (kAboutArea.top + kAboutArea.bottom) / 2).perform();
    EXPECT_EQ(plugin.screen().differencesFrom(about), 0);
    // While shown it covers the knobs: a click on one only hides it.
    const PanelSpot knob = kKnobSpots[kStickHardness];
    Gesture().click(window, knob.x + 4, knob.y + kKnobSize / 2).perform();
    EXPECT_EQ(plugin.screen().differencesFrom(panel), 0);

    EXPECT_TRUE(hostLog().edits.empty());
    EXPECT_EQ(allParameters(plugin), parameters);
}
