#include "tests/instrument/HostedSynth.h"

#include <cmath>
#include <cstring>
#include <string>

#include "tests/host/RecordingHost.h"

bool StereoBlock::silentIn(int32_t begin, int32_t end) const {
    for (int32_t i = begin; i < end; ++i) {
        if (left[i] != 0.0f || right[i] != 0.0f) return false;
    }
    return true;
}

bool StereoBlock::soundsAt(int32_t position) const {
    return left[position] != 0.0f && right[position] != 0.0f;
}

bool StereoBlock::allFinite() const {
    for (size_t i = 0; i < left.size(); ++i) {
        if (!std::isfinite(left[i]) || !std::isfinite(right[i])) return false;
    }
    return true;
}

VstMidiEvent midiEvent(unsigned char status, unsigned char data1, unsigned char data2,
                       int32_t deltaFrames) {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = 24;  // some hosts say 24, not 32: it must not matter
    event.deltaFrames = deltaFrames;
    event.midiData[0] = status;
    event.midiData[1] = data1;
    event.midiData[2] = data2;
    return event;
}

VstMidiEvent noteOn(int32_t note, int32_t deltaFrames, unsigned char velocity) {
    return midiEvent(0x90, static_cast<unsigned char>(note), velocity, deltaFrames);
}

HostedSynth::HostedSynth(audioMasterCallback callback)
    : record((new MalletSynth(callback))->getEffect()) {}

HostedSynth::HostedSynth() : HostedSynth(RecordingHost::callback) {}

HostedSynth::~HostedSynth() { record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f); }

intptr_t HostedSynth::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string HostedSynth::text(int32_t opcode, int32_t index, intptr_t value) {
    char buffer[256] = {};
    dispatch(opcode, index, value, buffer);
    return buffer;
}

void HostedSynth::send(std::initializer_list<VstMidiEvent> events) {
    std::vector<VstMidiEvent> copies(events);
    EventList list;
    for (VstMidiEvent& event : copies) {
        list.events[list.numEvents++] = reinterpret_cast<VstEvent*>(&event);
    }
    dispatch(effProcessEvents, 0, 0, list.asEvents());
}

StereoBlock HostedSynth::render(int32_t frames) {
    StereoBlock block{std::vector<float>(frames, 7.0f), std::vector<float>(frames, 7.0f)};
    float* outputs[2] = {block.left.data(), block.right.data()};
    record->processReplacing(record, nullptr, outputs, frames);
    return block;
}

StereoBlock HostedSynth::renderAdding(int32_t frames, float already) {
    StereoBlock block{std::vector<float>(frames, already), std::vector<float>(frames, already)};
    float* outputs[2] = {block.left.data(), block.right.data()};
    record->process(record, nullptr, outputs, frames);
    return block;
}

StereoBlock HostedSynth::renderBlocks(int32_t blocks, int32_t frames) {
    StereoBlock joined;
    for (int32_t b = 0; b < blocks; ++b) {
        StereoBlock block = render(frames);
        joined.left.insert(joined.left.end(), block.left.begin(), block.left.end());
        joined.right.insert(joined.right.end(), block.right.begin(), block.right.end());
    }
    return joined;
}
