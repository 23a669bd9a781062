#include "LocalPlugin.h"

#include "GuiTestSupport.h"
#include "gui/Frame.h"

intptr_t VSTCALLBACK quietHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

LocalPlugin::~LocalPlugin() {
    if (host) close();
}

int32_t LocalPlugin::open() {
    if (!host) host = newHostWindow();
    const int32_t result = editor()->editOpen(host);
    pumpMessages();
    return result;
}

void LocalPlugin::close() {
    if (synth) editor()->editClose();
    DestroyWindow(host);
    host = nullptr;
    pumpMessages();
}

HWND newHostWindow() { return createHostWindow(testTopWindow(), 10, 10, 413, 197); }
