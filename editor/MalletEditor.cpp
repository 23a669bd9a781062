#include "editor/MalletEditor.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "controls/OnOffButton.h"
#include "controls/SplashControl.h"
#include "controls/StripKnob.h"
#include "gui/Bitmap.h"
#include "gui/Frame.h"
#include "host/EffectBase.h"
#include "resources/resource_ids.h"

namespace {

// Top-left corners on the panel, indexed by tag (= parameter index).
constexpr Point kKnobPositions[] = {
    {54, 55},   {16, 55},   {92, 55},   {92, 127},  {152, 55},  {152, 94},
    {286, 55},  {286, 94},  {190, 55},  {190, 94},  {324, 55},  {324, 94},
    {228, 55},  {228, 94},  {362, 55},  {362, 94},  {54, 127},  {16, 127},
};
static_assert(std::size(kKnobPositions) == MalletEditor::kKnobCount, "a place for every knob");
constexpr int32_t kKnobFrames = 128;
constexpr int32_t kKnobFrameHeight = 36;  // pixels
constexpr Point kSwitchPosition{137, 145};
// The product logo at the lower right of the panel.
constexpr Rect kSplashClickArea{267, 153, 395, 184};
// Parameter 18 plays its vibrato from this value on.
constexpr float kSwitchThreshold = 0.5f;

Rect ordered(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return Rect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

Rect square(Point corner, int32_t side) {
    return ordered(corner.h, corner.v, corner.h + side, corner.v + side);
}

Bitmap* loadPicture(Bitmap*& slot, int32_t resourceId, SystemModule module) {
    if (!slot) slot = new (std::nothrow) Bitmap(resourceId, module);
    return slot;
}

void release(Bitmap*& picture) {
    if (picture) picture->forget();
    picture = nullptr;
}

float switchValue(float parameter) { return parameter >= kSwitchThreshold ? 1.0f : 0.0f; }

}  // namespace

MalletEditor::MalletEditor(EffectBase* owner) : GuiEditorBase(owner) {
    backgroundImage = new (std::nothrow) Bitmap(kBackgroundBitmapId, frameModule());
    if (backgroundImage) {
        rect.bottom = static_cast<int16_t>(backgroundImage->getHeight());
        rect.right = static_cast<int16_t>(backgroundImage->getWidth());
    }
}

MalletEditor::~MalletEditor() {
    // Left open, the window would call back into a dead editor.
    editClose();
    release(backgroundImage);
}

Control* MalletEditor::getControl(int32_t slot) const {
    return frame && slot >= 0 && slot < kControlCount ? controls[slot] : nullptr;
}

int32_t MalletEditor::editOpen(void* hostWindow) {
    if (frame) editClose();  // opened again without a close: move to the new window
    GuiEditorBase::editOpen(hostWindow);
    Frame* built = backgroundImage && loadPictures() ? buildFrame(hostWindow) : nullptr;
    if (!built) {
        releasePictures();
        return 0;
    }
    frame = built;
    return 1;
}

Frame* MalletEditor::buildFrame(void* hostWindow) {
    const Rect panel(0, 0, backgroundImage->getWidth(), backgroundImage->getHeight());
    auto* building = new (std::nothrow) Frame(panel, hostWindow, this);
    if (!building) return nullptr;
    building->setBackground(backgroundImage);
    if (addControls(*building)) return building;
    forgetControls();
    delete building;
    return nullptr;
}

// The host may close the editor from inside one of its own handlers (a knob
// drag runs the host's idle work): the frame then goes when that returns.
void MalletEditor::editClose() {
    Frame* closing = frame;
    frame = nullptr;
    forgetControls();
    if (closing) closing->close();
    endGestures();
    releasePictures();
}

void MalletEditor::parameterChanged(int32_t index, float) {
    if (index >= 0 && index <= kSwitchTag) pending.post(index);
    postUpdate();
}

void MalletEditor::editIdle() {
    showPendingChanges();
    GuiEditorBase::editIdle();
}

// While closed the changes are dropped: opening reads every value anew.
void MalletEditor::showPendingChanges() {
    const uint32_t changed = pending.take();
    if (!frame || !instrument) return;
    for (int32_t index = 0; index <= kSwitchTag; ++index) {
        if (!(changed & (uint32_t{1} << index))) continue;
        // The stored value: the instrument may have clamped or refused the one sent.
        const float stored = instrument->getParameter(index);
        controls[index]->setValue(index == kSwitchTag ? switchValue(stored) : stored);
    }
}

void MalletEditor::valueChanged(DrawContext& context, Control& control) {
    const int32_t tag = control.getTag();
    // The splash control reports under a tag that is no parameter.
    if (tag >= 0 && tag <= kSwitchTag) automate(tag, control.getValue());
    control.update(context);
}

bool MalletEditor::loadPictures() {
    const SystemModule module = frameModule();
    return loadPicture(knobStrip, kKnobStripBitmapId, module) && loadPicture(switchImage, kSwitchBitmapId, module) &&
           loadPicture(splashImage, kAboutBitmapId, module);
}

void MalletEditor::releasePictures() {
    release(knobStrip);
    release(switchImage);
    release(splashImage);
}

bool MalletEditor::addControls(Frame& building) {
    return addKnobs(building) && addSwitch(building) && addSplash(building);
}

bool MalletEditor::addKnobs(Frame& building) {
    const int32_t side = knobStrip->getWidth();
    for (int32_t tag = 0; tag < kKnobCount; ++tag) {
        auto* knob = new (std::nothrow)
            StripKnob(square(kKnobPositions[tag], side), this, tag, kKnobFrames, kKnobFrameHeight, knobStrip);
        if (knob && instrument) knob->setValue(instrument->getParameter(tag));
        if (!place(building, knob, tag)) return false;
    }
    return true;
}

bool MalletEditor::addSwitch(Frame& building) {
    const int32_t side = switchImage->getWidth();
    auto* lamp = new (std::nothrow) OnOffButton(square(kSwitchPosition, side), this, kSwitchTag, switchImage);
    // Shows what the instrument plays, like every later change does.
    if (lamp && instrument) lamp->setValue(switchValue(instrument->getParameter(kSwitchTag)));
    return place(building, lamp, kSwitchTag);
}

bool MalletEditor::addSplash(Frame& building) {
    const Rect shown = ordered(0, 0, splashImage->getWidth(), splashImage->getHeight());
    auto* splash = new (std::nothrow) SplashControl(kSplashClickArea, this, kSplashTag, splashImage, shown);
    return place(building, splash, kSplashSlot);
}

bool MalletEditor::place(Frame& building, Control* control, int32_t slot) {
    if (!control) return false;
    if (!building.addView(control)) {
        delete control;
        return false;
    }
    controls[slot] = control;
    return true;
}

void MalletEditor::forgetControls() { std::fill(std::begin(controls), std::end(controls), nullptr); }
