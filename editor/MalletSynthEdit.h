// The object a host gets from main: the instrument with its editor, under the
// identifier the host knows it by. Every parameter change, whatever its
// source, is passed on to the editor.
#pragma once

#include <cstdint>

#include "host/VstInterface.h"
#include "instrument/MalletSynth.h"

class MalletSynthEdit : public MalletSynth {
public:
    static constexpr int32_t kUniqueId = fourCharCode('z', 'T', 'o', 'l');

    // Leaves getEditor() null when the editor cannot be created.
    explicit MalletSynthEdit(audioMasterCallback callback);

    void setParameter(int32_t index, float value) override;
};
