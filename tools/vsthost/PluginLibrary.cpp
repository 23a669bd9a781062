#include "tools/vsthost/PluginLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vsthost {
namespace {

#ifdef _WIN32
void* openLibrary(const std::string& path, std::string& problem) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) problem = "cannot load " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(module);
}
void* findSymbol(void* module, const char* name) {
    // Through the generic function pointer type, which GCC accepts without a cast warning.
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
void closeLibrary(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }
#else
void* openLibrary(const std::string& path, std::string& problem) {
    // A bare file name would be searched on the library path rather than here.
    const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
    void* module = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        problem = "cannot load " + path + " (" + (reason != nullptr ? reason : "unknown reason") + ")";
    }
    return module;
}
void* findSymbol(void* module, const char* name) { return dlsym(module, name); }
void closeLibrary(void* module) { dlclose(module); }
#endif

}  // namespace

PluginLibrary::~PluginLibrary() {
    if (module != nullptr) closeLibrary(module);
}

std::string PluginLibrary::load(const std::string& path) {
    std::string problem;
    module = openLibrary(path, problem);
    if (module == nullptr) return problem;
    // Newer plug-ins name their entry VSTPluginMain; older ones only "main".
    void* address = findSymbol(module, "VSTPluginMain");
    if (address == nullptr) address = findSymbol(module, "main");
    if (address == nullptr)
        return path + " is not a VST 2 plug-in: it exports neither VSTPluginMain nor main";
    entry = reinterpret_cast<EntryPoint>(address);
    return {};
}

void* PluginLibrary::symbol(const char* name) const { return module != nullptr ? findSymbol(module, name) : nullptr; }

AEffect* PluginLibrary::instantiate(audioMasterCallback callback) const {
    if (entry == nullptr) return nullptr;
    AEffect* effect = entry(callback);
    if (effect == nullptr || effect->magic != kEffectMagic) return nullptr;
    return effect;
}

}  // namespace vsthost
