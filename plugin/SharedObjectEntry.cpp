// The entry points of the Linux plug-in. Hosts look for VSTPluginMain first
// and fall back to "main"; a C++ function cannot be called main with this
// signature, so that one gets its name from an assembler label.
#include "host/PluginEntry.h"

#define ZAV_EXPORT __attribute__((visibility("default")))

extern "C" ZAV_EXPORT AEffect* VSTPluginMain(audioMasterCallback hostCallback) { return pluginMain(hostCallback); }

extern "C" ZAV_EXPORT AEffect* vstMainEntry(audioMasterCallback hostCallback) __asm__("main");
extern "C" AEffect* vstMainEntry(audioMasterCallback hostCallback) { return pluginMain(hostCallback); }
