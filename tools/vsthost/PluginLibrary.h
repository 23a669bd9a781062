// A plug-in DLL loaded into this process, and its entry point.
#pragma once

#include <windows.h>

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

private:
    using EntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback);
    HMODULE module = nullptr;
    EntryPoint entry = nullptr;
};

}  // namespace vsthost
