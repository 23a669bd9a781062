// The editor base that owns the toolkit frame while the editor is open, hands
// the host its rectangle and runs the throttled idle of mouse-tracking loops.
#pragma once

#include <cstdint>

#include "gui/FrameOwner.h"
#include "host/EditorBase.h"
#include "host/VstInterface.h"

class Frame;

class GuiEditorBase : public EditorBase, public FrameOwner {
public:
    explicit GuiEditorBase(EffectBase* owner);
    // The frame is the subclass's to delete, in its editClose.
    ~GuiEditorBase() override = default;

    int32_t editGetRect(void* ptr) override;
    int32_t editOpen(void* hostWindow) override;
    void editClose() override {}
    void editIdle() override;
    virtual void parameterChanged(int32_t index, float value);
    // Draws the whole editor at once.
    virtual void redrawAll();

    // At most one idle every 50 ms, however often a tracking loop calls it.
    void trackingIdle() override;
    // The user's gesture is over: the host hears "end edit" for each
    // parameter it changed.
    void gestureEnded() override { endGestures(); }
    // The plug-in library's module.
    SystemModule frameModule() const override;

    Frame* getFrame() const { return frame; }
    const EditorRect& getRect() const { return rect; }

protected:
    // ticks: milliseconds of the platform's tick count.
    void trackingIdleAt(uint32_t ticks);
    // A change the user made: set and reported to the host as automation,
    // after "begin edit" for the first change of the parameter in the gesture.
    void automate(int32_t index, float value);
    // Sends "end edit" for every parameter of the gesture, also when the
    // gesture is cut short by closing the editor.
    void endGestures();

    EditorRect rect{0, 0, 0, 0};
    Frame* frame = nullptr;
    uint32_t lastTicks;

private:
    // A gesture normally moves one control; a few more are room to spare.
    static constexpr int32_t kMostGestureParameters = 8;
    int32_t gestureParameters[kMostGestureParameters] = {};
    int32_t gestureCount = 0;
};
