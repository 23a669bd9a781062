#include <new>

#include "editor/MalletSynthEdit.h"

EffectBase* createPlugin(audioMasterCallback hostCallback) {
    auto* plugin = new (std::nothrow) MalletSynthEdit(hostCallback);
    // Without its editor the instance is not what the host was promised.
    if (plugin && !plugin->getEditor()) {
        delete plugin;
        return nullptr;
    }
    return plugin;
}
