#include "editor/GuiEditorBase.h"

#include "gui/Frame.h"
#include "gui/TickCount.h"
#include "gui/ToolkitModule.h"
#include "host/EffectBase.h"
#include "host/PluginEntry.h"

namespace {

constexpr uint32_t kTrackingIdleInterval = 50;  // milliseconds

}  // namespace

GuiEditorBase::GuiEditorBase(EffectBase* owner) : EditorBase(owner), lastTicks(tickCount()) {
    if (instrument) instrument->attachEditor(this);
}

int32_t GuiEditorBase::editGetRect(void* ptr) {
    if (ptr) *static_cast<EditorRect**>(ptr) = &rect;
    return 1;
}

int32_t GuiEditorBase::editOpen(void* hostWindow) {
    postUpdate();
    return EditorBase::editOpen(hostWindow);
}

// The frame's events are handled first: a click among them may run a whole
// drag, and the host may close the editor inside it.
void GuiEditorBase::editIdle() {
    EditorBase::editIdle();
    if (frame) frame->handleEvents();
    if (frame) frame->idle();
}

void GuiEditorBase::parameterChanged(int32_t, float) { postUpdate(); }

void GuiEditorBase::redrawAll() {
    if (frame) frame->drawView(nullptr);
}

void GuiEditorBase::trackingIdle() { trackingIdleAt(tickCount()); }

SystemModule GuiEditorBase::frameModule() const {
    return moduleHandle ? static_cast<SystemModule>(moduleHandle) : toolkitModule();
}

void GuiEditorBase::trackingIdleAt(uint32_t ticks) {
    // The difference, not lastTicks + 50, so the throttle survives the tick
    // count wrapping round after 49.7 days.
    if (ticks - lastTicks < kTrackingIdleInterval) return;
    lastTicks = ticks;
    editIdle();
    if (instrument) instrument->hostIdle();
}

void GuiEditorBase::automate(int32_t index, float value) {
    if (!instrument) return;
    bool inGesture = false;
    for (int32_t i = 0; i < gestureCount; ++i) inGesture = inGesture || gestureParameters[i] == index;
    if (!inGesture && gestureCount < kMostGestureParameters) {
        gestureParameters[gestureCount++] = index;
        instrument->callHost(audioMasterBeginEdit, index, 0, nullptr, 0.0f);
    }
    instrument->automateParameter(index, value);
}

// The list is emptied first: the host may close the editor from inside an
// "end edit", and closing ends the gestures too.
void GuiEditorBase::endGestures() {
    int32_t ended[kMostGestureParameters];
    const int32_t count = gestureCount;
    for (int32_t i = 0; i < count; ++i) ended[i] = gestureParameters[i];
    gestureCount = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (instrument) instrument->callHost(audioMasterEndEdit, ended[i], 0, nullptr, 0.0f);
    }
}
