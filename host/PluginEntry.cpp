#include "host/PluginEntry.h"

#include "host/EffectBase.h"

extern "C" AEffect* VSTCALLBACK pluginMain(audioMasterCallback hostCallback) {
    if (hostCallback == nullptr) return nullptr;
    if (hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    EffectBase* object = createPlugin(hostCallback);
    if (object == nullptr) return nullptr;
    if (outOfMemory) {
        delete object;
        return nullptr;
    }
    return object->getEffect();
}
