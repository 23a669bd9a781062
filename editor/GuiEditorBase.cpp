#include "editor/GuiEditorBase.h"

#include <windows.h>

#include "gui/Frame.h"
#include "gui/ToolkitModule.h"
#include "host/EffectBase.h"
#include "host/PluginEntry.h"

namespace {

constexpr uint32_t kTrackingIdleInterval = 50;  // milliseconds

}  // namespace

GuiEditorBase::GuiEditorBase(EffectBase* owner) : EditorBase(owner), lastTicks(GetTickCount()) {
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

void GuiEditorBase::editIdle() {
    EditorBase::editIdle();
    if (frame) frame->idle();
}

void GuiEditorBase::parameterChanged(int32_t, float) { postUpdate(); }

void GuiEditorBase::redrawAll() {
    if (frame) frame->drawView(nullptr);
}

void GuiEditorBase::trackingIdle() { trackingIdleAt(GetTickCount()); }

HINSTANCE GuiEditorBase::frameModule() const {
    return moduleHandle ? static_cast<HINSTANCE>(moduleHandle) : toolkitModule();
}

void GuiEditorBase::trackingIdleAt(uint32_t ticks) {
    // The difference, not lastTicks + 50, so the throttle survives the tick
    // count wrapping round after 49.7 days.
    if (ticks - lastTicks < kTrackingIdleInterval) return;
    lastTicks = ticks;
    editIdle();
    if (instrument) instrument->hostIdle();
}
