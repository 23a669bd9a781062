// What a host sees of the editor through the real DLL: identity, size, the
// window class, GDI use over many openings, and parameter changes on screen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "DllEditorHost.h"
#include "GuiTestSupport.h"
#include "PanelLayout.h"

namespace {

constexpr int kRatio2 = 5;
constexpr int kVibratoSwitch = 18;
constexpr int kVibraphone = 1;  // the one factory program with its vibrato on

int frameFor(float value) { return static_cast<int>(std::floor(value * 127.0f)); }

Picture knobOnScreen(DllPlugin& plugin, int tag) {
    return plugin.screen().crop(kKnobSpots[tag].x, kKnobSpots[tag].y, kKnobSize, kKnobSize);
}

Picture lampOnScreen(DllPlugin& plugin) {
    return plugin.screen().crop(kLampSpot.x, kLampSpot.y, kLampSize, kLampSize);
}

bool classIsRegistered() {
    char name[20];
    std::snprintf(name, sizeof name, "Plugin%08x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(pluginLibrary())));
    WNDCLASSA description{};
    return GetClassInfoA(pluginLibrary(), name, &description) != 0;
}

}  // namespace

TEST(EditorThroughDll, IdentifiesAsZTolWithAnEditor) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    EXPECT_EQ(plugin.effect->uniqueID, fourCharCode('z', 'T', 'o', 'l'));
    EXPECT_EQ(plugin.effect->flags, 0x131);
}

TEST(EditorThroughDll, RectBeforeAnyOpeningIsThePanel) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    EditorRect* rect = nullptr;
    EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, kPanelHeight);
    EXPECT_EQ(rect->right, kPanelWidth);
}

TEST(EditorThroughDll, ManyOpeningsLeakNoGdiObjectsAndTheClassGoesWithTheLastFrame) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    // One full opening first: the platform keeps some objects from the first use on.
    ASSERT_EQ(plugin.openEditor(), 1);
    plugin.closeEditor();
    const int before = gdiObjectCount();
    ASSERT_GT(before, 0) << "GDI objects cannot be counted here";
    for (int cycle = 0; cycle < 25; ++cycle) {
        ASSERT_EQ(plugin.openEditor(), 1);
        plugin.setParameter(cycle % 18, 0.1f * static_cast<float>(cycle % 10));
        plugin.idle();
        EXPECT_TRUE(classIsRegistered());
        plugin.closeEditor();
        EXPECT_FALSE(classIsRegistered()) << "cycle " << cycle;
    }
    EXPECT_EQ(gdiObjectCount(), before);
}

TEST(EditorThroughDll, HostChangeShowsOnItsKnobAtTheNextIdle) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    ASSERT_EQ(plugin.openEditor(), 1);
    const int shownFirst = frameFor(plugin.getParameter(kRatio2));
    ASSERT_NE(shownFirst, frameFor(0.3f));
    EXPECT_EQ(knobOnScreen(plugin, kRatio2).differencesFrom(knobFrame(shownFirst)), 0);

    plugin.setParameter(kRatio2, 0.3f);
    EXPECT_EQ(knobOnScreen(plugin, kRatio2).differencesFrom(knobFrame(shownFirst)), 0) << "drawn before the idle";
    plugin.idle();
    EXPECT_EQ(knobOnScreen(plugin, kRatio2).differencesFrom(knobFrame(frameFor(0.3f))), 0);
}

TEST(EditorThroughDll, HostChangeWhileClosedShowsAtTheNextOpening) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    plugin.setParameter(kRatio2, 0.3f);
    ASSERT_EQ(plugin.openEditor(), 1);
    EXPECT_EQ(knobOnScreen(plugin, kRatio2).differencesFrom(knobFrame(frameFor(0.3f))), 0);
}

TEST(EditorThroughDll, LampLightsFromHalfWayAndOpensShowingTheVibratoParameter) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    plugin.setParameter(kVibratoSwitch, 0.0f);
    ASSERT_EQ(plugin.openEditor(), 1);
    EXPECT_EQ(lampOnScreen(plugin).differencesFrom(lamp(false)), 0);
    plugin.setParameter(kVibratoSwitch, 0.5f);
    plugin.idle();
    EXPECT_EQ(lampOnScreen(plugin).differencesFrom(lamp(true)), 0);
    plugin.setParameter(kVibratoSwitch, 0.49f);
    plugin.idle();
    EXPECT_EQ(lampOnScreen(plugin).differencesFrom(lamp(false)), 0);
    plugin.closeEditor();

    plugin.dispatch(effSetProgram, 0, kVibraphone);
    ASSERT_EQ(plugin.getParameter(kVibratoSwitch), 1.0f);
    ASSERT_EQ(plugin.openEditor(), 1);
    EXPECT_EQ(lampOnScreen(plugin).differencesFrom(lamp(true)), 0);
}

TEST(EditorThroughDll, ProgramChangeWhileOpenMovesEveryKnobAndTheLampAtTheNextIdle) {
    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    ASSERT_EQ(plugin.openEditor(), 1);
    plugin.dispatch(effSetProgram, 0, kVibraphone);
    plugin.idle();
    for (int tag = 0; tag < 18; ++tag) {
        EXPECT_EQ(knobOnScreen(plugin, tag).differencesFrom(knobFrame(frameFor(plugin.getParameter(tag)))), 0)
            << "knob " << tag;
    }
    EXPECT_EQ(lampOnScreen(plugin).differencesFrom(lamp(true)), 0);
}

TEST(EditorThroughDll, AChunkRestoredWhileOpenShowsOnEveryKnobAtTheNextIdle) {
    DllPlugin saved;
    ASSERT_NE(saved.effect, nullptr);
    saved.dispatch(effSetProgram, 0, kVibraphone);
    saved.setParameter(kRatio2, 0.3f);
    void* chunk = nullptr;
    const intptr_t size = saved.dispatch(effGetChunk, 0, 0, &chunk);
    ASSERT_GT(size, 0);

    DllPlugin plugin;
    ASSERT_NE(plugin.effect, nullptr);
    ASSERT_EQ(plugin.openEditor(), 1);
    ASSERT_EQ(plugin.dispatch(effSetChunk, 0, size, chunk), 1);
    plugin.idle();
    EXPECT_EQ(plugin.getParameter(kRatio2), 0.3f);
    for (int tag = 0; tag < 18; ++tag) {
        EXPECT_EQ(knobOnScreen(plugin, tag).differencesFrom(knobFrame(frameFor(plugin.getParameter(tag)))), 0)
            << "knob " << tag;
    }
    EXPECT_EQ(lampOnScreen(plugin).differencesFrom(lamp(true)), 0);
}
