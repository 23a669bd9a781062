#include <new>

#include "instrument/MalletSynth.h"

EffectBase* createPlugin(audioMasterCallback hostCallback) {
    return new (std::nothrow) MalletSynth(hostCallback);
}
