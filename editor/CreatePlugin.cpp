#include <new>

#include "editor/MalletSynthEdit.h"

EffectBase* createPlugin(audioMasterCallback hostCallback) {
    return new (std::nothrow) MalletSynthEdit(hostCallback);
}
