#include <windows.h>

#include "host/PluginEntry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD, LPVOID) {
    moduleHandle = module;
    return TRUE;
}
