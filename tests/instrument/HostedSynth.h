// A MalletSynth driven the way a host drives it: through its AEffect record.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/VstInterface.h"
#include "instrument/MalletSynth.h"

struct StereoBlock {
    std::vector<float> left;
    std::vector<float> right;
    bool operator==(const StereoBlock&) const = default;
    bool silentIn(int32_t begin, int32_t end) const;
    bool soundsAt(int32_t position) const;
    bool allFinite() const;
};

VstMidiEvent midiEvent(unsigned char status, unsigned char data1, unsigned char data2,
                       int32_t deltaFrames = 0);
VstMidiEvent noteOn(int32_t note, int32_t deltaFrames = 0, unsigned char velocity = 100);

class HostedSynth {
public:
    explicit HostedSynth(audioMasterCallback callback);
    HostedSynth();
    ~HostedSynth();
    HostedSynth(const HostedSynth&) = delete;
    HostedSynth& operator=(const HostedSynth&) = delete;

    AEffect* record;
    MalletSynth& synth() { return *static_cast<MalletSynth*>(record->object); }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    void setParameter(int32_t index, float value) { record->setParameter(record, index, value); }
    float getParameter(int32_t index) { return record->getParameter(record, index); }
    // Empty text when the opcode writes nothing into it.
    std::string text(int32_t opcode, int32_t index = 0, intptr_t value = 0);

    void send(std::initializer_list<VstMidiEvent> events);
    StereoBlock render(int32_t frames);                 // processReplacing
    StereoBlock renderAdding(int32_t frames, float already);  // process into filled buffers
    // Several blocks of the given size, joined.
    StereoBlock renderBlocks(int32_t blocks, int32_t frames);
};

// Holds as many event pointers as a test needs, laid out as the host's list.
struct EventList {
    int32_t numEvents = 0;
    intptr_t reserved = 0;
    VstEvent* events[64] = {};
    VstEvents* asEvents() { return reinterpret_cast<VstEvents*>(this); }
};
