// A plug-in library (a Windows DLL or a Linux shared object) loaded into this
// process, and its entry point.
#pragma once

#include <string>

#include "host/VstInterface.h"

namespace vsthost {

class PluginLibrary {
public:
    PluginLibrary() = default;
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Empty on success, else what went wrong.
    std::string load(const std::string& path);
    // Calls the entry point; null when the plug-in refuses this host.
    AEffect* instantiate(audioMasterCallback callback) const;
    // An exported symbol of the loaded library, or null.
    void* symbol(const char* name) const;

private:
    using EntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback);
    void* module = nullptr;  // HMODULE or dlopen handle
    EntryPoint entry = nullptr;
};

}  // namespace vsthost
