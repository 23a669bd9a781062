// The instrument without an editor, for builds that have no window system of
// ours (the Linux plug-in); hosts show their own parameter controls instead.
#include <new>

#include "instrument/MalletSynth.h"

EffectBase* createPlugin(audioMasterCallback hostCallback) {
    auto* synth = new (std::nothrow) MalletSynth(hostCallback);
    // Hosts recognise a plug-in by this identifier when a project moves
    // between systems, so it is the Windows plug-in's ("zTol"), not the
    // editorless instrument's own.
    if (synth != nullptr) synth->setEffectId(fourCharCode('z', 'T', 'o', 'l'));
    return synth;
}
