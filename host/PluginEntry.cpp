#include "host/PluginEntry.h"

#include "host/EffectBase.h"

extern "C" AEffect* VSTCALLBACK pluginMain(audioMasterCallback hostCallback) {
    if (hostCallback == nullptr) return nullptr;
    if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    // Null when this instance could not be built whole; the next may well be.
    EffectBase* object = createPlugin(hostCallback);
    return object != nullptr ? object->getEffect() : nullptr;
}
