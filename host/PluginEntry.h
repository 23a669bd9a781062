// The library's entry points and its two globals.
#pragma once

#include "host/VstInterface.h"

// Module instance handle of the library, stored when the library is loaded;
// the GUI uses it for its window class and its pictures.
extern void* moduleHandle;

// Exported from the DLL under the name "main".
extern "C" AEffect* VSTCALLBACK pluginMain(audioMasterCallback hostCallback);
