#include "editor/MalletSynthEdit.h"

#include <new>

#include "editor/MalletEditor.h"

MalletSynthEdit::MalletSynthEdit(audioMasterCallback callback) : MalletSynth(callback) {
    setEffectId(kUniqueId);
    // The editor attaches itself to this object as it is built.
    new (std::nothrow) MalletEditor(this);
}

void MalletSynthEdit::setParameter(int32_t index, float value) {
    MalletSynth::setParameter(index, value);
    // Only GUI editors are ever attached here.
    if (editor) static_cast<GuiEditorBase*>(editor)->parameterChanged(index, value);
}
