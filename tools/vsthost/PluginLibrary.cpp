#include "tools/vsthost/PluginLibrary.h"

namespace vsthost {

PluginLibrary::~PluginLibrary() {
    if (module != nullptr) FreeLibrary(module);
}

std::string PluginLibrary::load(const std::string& path) {
    module = LoadLibraryA(path.c_str());
    if (module == nullptr)
        return "cannot load " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
    // Newer plug-ins name their entry VSTPluginMain; older ones only "main".
    FARPROC address = GetProcAddress(module, "VSTPluginMain");
    if (address == nullptr) address = GetProcAddress(module, "main");
    if (address == nullptr) return path + " is not a VST 2 plug-in: it exports neither VSTPluginMain nor main";
    // Through the generic function pointer type, which GCC accepts without a cast warning.
    entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(address));
    return {};
}

AEffect* PluginLibrary::instantiate(audioMasterCallback callback) const {
    if (entry == nullptr) return nullptr;
    AEffect* effect = entry(callback);
    if (effect == nullptr || effect->magic != kEffectMagic) return nullptr;
    return effect;
}

}  // namespace vsthost
