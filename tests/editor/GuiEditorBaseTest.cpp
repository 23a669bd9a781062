#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "editor/GuiEditorBase.h"
#include "gui/Frame.h"
#include "host/EffectBase.h"

namespace {

int hostIdleCalls = 0;

intptr_t VSTCALLBACK countingHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == audioMasterIdle) ++hostIdleCalls;
    return 0;
}

class SilentInstrument : public EffectBase {
public:
    SilentInstrument() : EffectBase(countingHost, 1, 1) {}
    void process(float**, float**, int32_t) override {}
};

// Exposes the throttle and the frame, and counts refreshes.
class ProbeEditor : public GuiEditorBase {
public:
    using GuiEditorBase::GuiEditorBase;
    using GuiEditorBase::trackingIdleAt;
    void refresh() override { ++refreshes; }
    void setFrame(Frame* newFrame) { frame = newFrame; }
    void setRect(EditorRect r) { rect = r; }
    uint32_t ticksOfLastIdle() const { return lastTicks; }
    int refreshes = 0;
};

class GuiEditor : public testing::Test {
protected:
    void SetUp() override { hostIdleCalls = 0; }

    // The instrument owns its editor and deletes it.
    SilentInstrument instrument;
    ProbeEditor* editor = new ProbeEditor(&instrument);
};

}  // namespace

TEST_F(GuiEditor, AttachesItselfToTheInstrument) {
    EXPECT_EQ(instrument.getEditor(), editor);
    EXPECT_TRUE(instrument.getEffect()->flags & effFlagsHasEditor);
    EXPECT_EQ(editor->getFrame(), nullptr);
}

TEST_F(GuiEditor, GetRectHandsOutItsOwnRectangle) {
    editor->setRect(EditorRect{0, 0, 197, 413});
    EditorRect* given = nullptr;
    EXPECT_EQ(editor->editGetRect(&given), 1);
    ASSERT_EQ(given, &editor->getRect());
    EXPECT_EQ(given->bottom, 197);
    EXPECT_EQ(given->right, 413);
    EXPECT_EQ(editor->editGetRect(nullptr), 1);
}

TEST_F(GuiEditor, OpeningAndParameterChangesRequestOneRefreshAtTheNextIdle) {
    editor->editIdle();
    EXPECT_EQ(editor->refreshes, 0);
    EXPECT_EQ(editor->editOpen(reinterpret_cast<void*>(static_cast<uintptr_t>(0x10))), 0);
    editor->editIdle();
    editor->editIdle();
    EXPECT_EQ(editor->refreshes, 1);
    editor->parameterChanged(3, 0.25f);
    editor->parameterChanged(4, 0.5f);
    editor->editIdle();
    EXPECT_EQ(editor->refreshes, 2);
}

TEST_F(GuiEditor, IdleAndRedrawAllReachTheFrame) {
    std::vector<std::string> log;
    HWND host = createHostWindow(testTopWindow(), 10, 10, 220, 120);
    auto* frame = new Frame(Rect(0, 0, 200, 100), host, editor);
    frame->addView(new RecordingView(Rect(0, 0, 10, 10), "view", log));
    editor->setFrame(frame);
    editor->redrawAll();
    editor->editIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"view:draw", "view:update"}));
    editor->setFrame(nullptr);
    delete frame;
    editor->redrawAll();
    editor->editIdle();
    DestroyWindow(host);
}

TEST_F(GuiEditor, TrackingIdleRunsTheEditorsAndTheHostsIdleAtMostOncePerFiftyMilliseconds) {
    editor->postUpdate();
    const uint32_t start = editor->ticksOfLastIdle();
    editor->trackingIdleAt(start + 49);
    EXPECT_EQ(hostIdleCalls, 0);
    EXPECT_EQ(editor->refreshes, 0);
    editor->trackingIdleAt(start + 50);
    EXPECT_EQ(hostIdleCalls, 1);
    EXPECT_EQ(editor->refreshes, 1);
    EXPECT_EQ(editor->ticksOfLastIdle(), start + 50);
    editor->trackingIdleAt(start + 99);
    EXPECT_EQ(hostIdleCalls, 1);
    editor->trackingIdleAt(start + 100);
    EXPECT_EQ(hostIdleCalls, 2);
}

TEST_F(GuiEditor, TrackingIdleKeepsRunningWhenTheTickCountWrapsRound) {
    editor->trackingIdleAt(0xFFFFFF00u);
    ASSERT_EQ(hostIdleCalls, 1);
    editor->trackingIdleAt(0x00000010u);  // 272 ms later
    EXPECT_EQ(hostIdleCalls, 2);
    editor->trackingIdleAt(0x00000020u);
    EXPECT_EQ(hostIdleCalls, 2);
}

TEST_F(GuiEditor, TrackingIdleOnTheRealClockThrottlesABusyLoop) {
    const DWORD start = GetTickCount();
    int passes = 0;
    while (GetTickCount() - start < 130) {
        editor->trackingIdle();
        ++passes;
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GT(passes, 100);
    EXPECT_GE(hostIdleCalls, 1);
    EXPECT_LE(hostIdleCalls, static_cast<int>(elapsed / 50 + 1));
}

TEST(GuiEditorWithoutInstrument, TracksIdleWithoutAHost) {
    auto* editor = new ProbeEditor(nullptr);
    editor->postUpdate();
    editor->trackingIdleAt(GetTickCount() + 1000);
    EXPECT_EQ(editor->refreshes, 1);
    delete editor;
}

TEST(GuiEditorThroughFrame, ControlsReachTheEditorThroughTheFrame) {
    hostIdleCalls = 0;
    SilentInstrument instrument;
    auto* editor = new ProbeEditor(&instrument);
    Frame frame(Rect(0, 0, 10, 10), nullptr, editor);
    EXPECT_EQ(frame.getOwner(), editor);
    waitTicks(60);
    frame.trackingIdle();
    frame.trackingIdle();
    EXPECT_EQ(hostIdleCalls, 1);
    Frame orphan(Rect(0, 0, 10, 10), nullptr, nullptr);
    orphan.trackingIdle();
}
