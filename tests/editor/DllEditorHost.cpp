#include "DllEditorHost.h"

#include "GuiTestSupport.h"
#include "resources/resource_ids.h"

namespace {

using EntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback);

constexpr int kKnobSide = 36;
constexpr int kLampSide = 16;

intptr_t VSTCALLBACK recordingHost(AEffect* effect, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
    switch (opcode) {
    case audioMasterVersion:
        return 2400;
    case audioMasterAutomate:
        hostLog().automations.push_back({index, opt, effect->getParameter(effect, index)});
        hostLog().edits.push_back({opcode, index});
        return 0;
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        hostLog().edits.push_back({opcode, index});
        return 0;
    case audioMasterIdle:
        hostLog().idleTicks.push_back(GetTickCount());
        return 0;
    default:
        return 0;
    }
}

}  // namespace

HostLog& hostLog() {
    static HostLog log;
    return log;
}

HMODULE pluginLibrary() {
    static HMODULE library = LoadLibraryA(ZAV_PLUGIN_PATH);
    return library;
}

DllPlugin::DllPlugin() {
    auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(GetProcAddress(pluginLibrary(), "main")));
    if (entry) effect = entry(recordingHost);
    hostLog().clear();
}

DllPlugin::~DllPlugin() {
    if (host) closeEditor();
    if (effect) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

intptr_t DllPlugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

intptr_t DllPlugin::openEditor() {
    host = createHostWindow(testTopWindow(), 10, 10, 413, 197);
    const intptr_t result = dispatch(effEditOpen, 0, 0, host);
    pumpMessages();
    if (HWND child = editorWindow()) UpdateWindow(child);
    return result;
}

void DllPlugin::closeEditor() {
    dispatch(effEditClose);
    DestroyWindow(host);
    host = nullptr;
    pumpMessages();
}

void DllPlugin::idle() {
    dispatch(effEditIdle);
    pumpMessages();
}

HWND DllPlugin::editorWindow() const { return host ? GetWindow(host, GW_CHILD) : nullptr; }

Picture knobFrame(int frame) {
    static const Picture strip = Picture::ofResource(pluginLibrary(), kKnobStripBitmapId);
    return strip.crop(0, frame * kKnobSide, kKnobSide, kKnobSide);
}

Picture lamp(bool lit) {
    static const Picture picture = Picture::ofResource(pluginLibrary(), kSwitchBitmapId);
    return picture.crop(0, lit ? kLampSide : 0, kLampSide, kLampSide);
}
