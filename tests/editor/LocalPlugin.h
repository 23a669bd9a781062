// The plug-in object built in this process, as main builds it, with its
// editor opened in a host window of ours on demand.
#pragma once

#include <windows.h>

#include <memory>

#include "editor/MalletEditor.h"
#include "editor/MalletSynthEdit.h"

intptr_t VSTCALLBACK quietHost(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt);

class LocalPlugin {
public:
    LocalPlugin() : synth(new MalletSynthEdit(quietHost)) {}
    ~LocalPlugin();
    LocalPlugin(const LocalPlugin&) = delete;
    LocalPlugin& operator=(const LocalPlugin&) = delete;

    MalletEditor* editor() const { return static_cast<MalletEditor*>(synth->getEditor()); }
    // In a fresh host window; what editOpen answered, after the first paint.
    int32_t open();
    // Closes the editor, if the plug-in is still there, and the host window.
    void close();
    HWND hostWindow() const { return host; }

    std::unique_ptr<MalletSynthEdit> synth;

private:
    HWND host = nullptr;
};

// A child of the test's top-level window, as a host hands the editor.
HWND newHostWindow();
