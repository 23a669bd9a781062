#include <algorithm>
#include <cmath>

#include "instrument/MalletSynth.h"

namespace {

constexpr unsigned char kNoteOff = 0x80;
constexpr unsigned char kNoteOn = 0x90;
constexpr unsigned char kControlChange = 0xB0;
constexpr unsigned char kAllNotesOffController = 126;
constexpr int32_t kSlotCount = VoicePool::kSlotCount;

void addMix(const float* mix, float* output, int32_t count) {
    for (int32_t i = 0; i < count; ++i) output[i] += mix[i];
}

void copyMix(const float* mix, float* output, int32_t count) {
    std::copy_n(mix, count, output);
}

}  // namespace

// A rate the engine cannot run at (not a number, infinite, near zero or
// negative) is ignored rather than passed on to turn every voice into NaN.
void MalletSynth::setSampleRate(float rate) {
    if (!std::isfinite(rate) || rate < kLowestSampleRate) return;
    sampleRate = rate;
    engine.setSampleRate(rate);
}

void MalletSynth::setBlockSize(int32_t size) {
    blockSize = size;
    mix.resize(size);
}

void MalletSynth::resume() { hostWantMidi(1); }

int32_t MalletSynth::processEvents(VstEvents* events) {
    if (!events) return 1;
    VstEvent* const* list = events->events;
    for (int32_t k = 0; k < events->numEvents; ++k) {
        const VstEvent* event = list[k];
        if (event && event->type == kVstMidiType) {
            handleMidi(*reinterpret_cast<const VstMidiEvent*>(event));
        }
    }
    return 1;
}

// Every channel plays the same instrument; a note-off is a silent strike that
// lets the note ring out by its own decay.
void MalletSynth::handleMidi(const VstMidiEvent& event) {
    const unsigned char status = event.midiData[0] & 0xF0;
    if (status == kNoteOn || status == kNoteOff) {
        const int32_t note = event.midiData[1] & 0x7F;
        const int32_t velocity = status == kNoteOn ? event.midiData[2] & 0x7F : 0;
        const int32_t slot = engine.noteOn(note, velocity);
        if (velocity != 0 && slot >= 0 && slot < kSlotCount) {
            startOffset[slot] = std::max(event.deltaFrames, 0);
        }
    } else if (status == kControlChange && event.midiData[1] == kAllNotesOffController) {
        engine.allNotesOff();
        std::fill_n(startOffset, kSlotCount, 0);
    }
}

void MalletSynth::process(float**, float** outputs, int32_t sampleFrames) {
    render(outputs, sampleFrames, addMix);
}

void MalletSynth::processReplacing(float**, float** outputs, int32_t sampleFrames) {
    render(outputs, sampleFrames, copyMix);
}

// Renders in chunks of the mixing buffers' size, so a host that sends more
// frames than it announced, or none at all, still gets every frame.
void MalletSynth::render(float** outputs, int32_t frames, MixWriter write) {
    if (!outputs || !outputs[0] || !outputs[1]) return;
    const int32_t chunk = mix.frames();
    for (int32_t begin = 0; begin < frames; begin += chunk) {
        const int32_t count = std::min(chunk, frames - begin);
        renderChunk(begin, count);
        write(mix.left(), outputs[0] + begin, count);
        write(mix.right(), outputs[1] + begin, count);
    }
    std::fill_n(startOffset, kSlotCount, 0);
}

// A slot starting beyond this chunk renders nothing in it; one starting
// before it renders the whole chunk.
void MalletSynth::renderChunk(int32_t begin, int32_t count) {
    mix.clear(count);
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        const int32_t offset = std::max(startOffset[slot] - begin, 0);
        if (offset >= count) continue;
        engine.renderSlot(slot, mix.left() + offset, mix.right() + offset, count - offset);
    }
}
