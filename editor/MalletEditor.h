// The instrument's editor: 18 knobs and the vibrato switch on the panel
// picture, bound one to one to the parameters, and a click area on the logo
// that shows the about picture. It is the listener of all its controls.
#pragma once

#include <cstdint>

#include "controls/ControlListener.h"
#include "editor/GuiEditorBase.h"
#include "editor/PendingParameters.h"
#include "synth/ParameterIndex.h"

class Bitmap;
class Control;
class Frame;

class MalletEditor : public GuiEditorBase, public ControlListener {
public:
    // A knob for every parameter but the last, the vibrato switch; the
    // splash's tag is no parameter's.
    static constexpr int32_t kSwitchTag = kVibratoSwitch;
    static constexpr int32_t kKnobCount = kSwitchTag;
    static constexpr int32_t kSplashTag = kParameterCount + 1;
    // Knobs in the first slots, the switch in its own, the splash last.
    static constexpr int32_t kSplashSlot = kParameterCount;
    static constexpr int32_t kControlCount = kSplashSlot + 1;
    static_assert(kSwitchTag == kParameterCount - 1, "the switch is the last parameter");

    explicit MalletEditor(EffectBase* owner);
    // Closes the editor first if the host destroys the plug-in while it is open.
    ~MalletEditor() override;

    // 1 when open; 0, with nothing left behind, when a picture, the frame or a
    // control could not be had.
    int32_t editOpen(void* hostWindow) override;
    void editClose() override;
    // Any thread: only records the change; the next idle shows it.
    void parameterChanged(int32_t index, float value) override;
    void editIdle() override;
    void valueChanged(DrawContext& context, Control& control) override;

    bool isOpen() const { return frame != nullptr; }
    // Null while closed.
    Control* getControl(int32_t slot) const;
    Bitmap* getBackgroundImage() const { return backgroundImage; }
    Bitmap* getKnobStrip() const { return knobStrip; }
    Bitmap* getSwitchImage() const { return switchImage; }
    Bitmap* getSplashImage() const { return splashImage; }

private:
    bool loadPictures();
    void releasePictures();
    // The frame with its controls, or null with nothing left behind.
    Frame* buildFrame(void* hostWindow);
    bool addControls(Frame& building);
    bool addKnobs(Frame& building);
    bool addSwitch(Frame& building);
    bool addSplash(Frame& building);
    // Hands the control to the frame, or deletes it when it cannot.
    bool place(Frame& building, Control* control, int32_t slot);
    void forgetControls();
    void showPendingChanges();

    Control* controls[kControlCount] = {};
    Bitmap* backgroundImage = nullptr;
    Bitmap* knobStrip = nullptr;
    Bitmap* switchImage = nullptr;
    Bitmap* splashImage = nullptr;
    PendingParameters pending;
};
