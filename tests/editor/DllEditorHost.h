// ZAVTOLVEK.dll as a host meets it: loaded with LoadLibrary, created through
// its exported "main", driven through the record, its editor opened in a
// window of ours. The host callback logs what the plug-in tells it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "Picture.h"
#include "host/VstInterface.h"

struct Automation {
    int32_t index;
    float value;
    // What the plug-in answered for that parameter while telling us.
    float storedWhenTold;
};

// A begin edit, an automation or an end edit, in the order the host heard them.
struct EditCall {
    int32_t opcode;
    int32_t index;
    bool operator==(const EditCall&) const = default;
};

struct HostLog {
    std::vector<Automation> automations;
    std::vector<EditCall> edits;
    // GetTickCount at each audioMasterIdle.
    std::vector<DWORD> idleTicks;
    void clear() {
        automations.clear();
        edits.clear();
        idleTicks.clear();
    }
};

HostLog& hostLog();
// Loaded once for the whole test program.
HMODULE pluginLibrary();

class DllPlugin {
public:
    DllPlugin();
    ~DllPlugin();
    DllPlugin(const DllPlugin&) = delete;
    DllPlugin& operator=(const DllPlugin&) = delete;

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    void setParameter(int32_t index, float value) { effect->setParameter(effect, index, value); }
    float getParameter(int32_t index) { return effect->getParameter(effect, index); }

    // In a fresh host window; returns what effEditOpen answered, after the
    // first paint.
    intptr_t openEditor();
    void closeEditor();
    // effEditIdle, then the window messages it caused.
    void idle();
    // The child window the editor made in our host window.
    HWND editorWindow() const;
    HWND hostWindow() const { return host; }
    Picture screen() const { return Picture::ofWindow(editorWindow()); }

    AEffect* effect = nullptr;

private:
    HWND host = nullptr;
};

// Strip frame and lamp state as the plug-in's own pictures show them.
Picture knobFrame(int frame);
Picture lamp(bool lit);
