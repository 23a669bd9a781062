#include <algorithm>
#include <cmath>

#include "instrument/MalletSynth.h"

namespace {

constexpr unsigned char kNoteOff = 0x80;
constexpr unsigned char kNoteOn = 0x90;
constexpr unsigned char kControlChange = 0xB0;
constexpr unsigned char kAllSoundOffController = 120;
constexpr unsigned char kAllNotesOffController = 126;

void addMix(const float* mix, float* output, int32_t count) {
    for (int32_t i = 0; i < count; ++i) output[i] += mix[i];
}

void copyMix(const float* mix, float* output, int32_t count) {
    std::copy_n(mix, count, output);
}

bool silencesEverything(unsigned char status, unsigned char controller) {
    return status == kControlChange &&
           (controller == kAllNotesOffController || controller == kAllSoundOffController);
}

}  // namespace

// A rate the engine cannot run at (not a number, infinite, near zero or
// negative) is ignored rather than passed on to turn every voice into NaN.
void MalletSynth::setSampleRate(float rate) {
    if (!std::isfinite(rate) || rate < kLowestSampleRate) return;
    sampleRate = rate;
    settings.write(SettingsHandOver::kSampleRateSlot, rate);
}

// The mixing buffers are a fixed chunk: any block size renders in chunks.
void MalletSynth::setBlockSize(int32_t size) { blockSize = size; }

void MalletSynth::resume() {
    runs.fetch_add(1);
    hostWantMidi(1);
}

int32_t MalletSynth::processEvents(VstEvents* events) {
    if (!events) return 1;
    eventQueue.keepRun(runs.load());
    VstEvent* const* list = events->events;
    for (int32_t k = 0; k < events->numEvents; ++k) {
        const VstEvent* event = list[k];
        if (!event || event->type != kVstMidiType) continue;
        const auto& midi = *reinterpret_cast<const VstMidiEvent*>(event);
        eventQueue.push(QueuedMidiEvent{std::max(midi.deltaFrames, 0),
                                        static_cast<unsigned char>(midi.midiData[0]),
                                        static_cast<unsigned char>(midi.midiData[1]),
                                        static_cast<unsigned char>(midi.midiData[2])});
    }
    return 1;
}

void MalletSynth::applySettings() {
    settings.takeChanges([this](int32_t slot, float value) {
        if (slot == SettingsHandOver::kSampleRateSlot) {
            engine.setSampleRate(value);
        } else {
            engine.setParameter(slot, value);
        }
    });
}

// Every channel plays the same instrument; a note-off is a silent strike that
// lets the note ring out by its own decay.
void MalletSynth::applyMidi(const QueuedMidiEvent& event) {
    const unsigned char status = event.status & 0xF0;
    if (status == kNoteOn || status == kNoteOff) {
        const int32_t note = event.data1 & 0x7F;
        const int32_t velocity = status == kNoteOn ? event.data2 & 0x7F : 0;
        engine.noteOn(note, velocity);
    } else if (silencesEverything(status, event.data1)) {
        engine.allNotesOff();
    }
}

void MalletSynth::process(float**, float** outputs, int32_t sampleFrames) {
    render(outputs, sampleFrames, addMix);
}

void MalletSynth::processReplacing(float**, float** outputs, int32_t sampleFrames) {
    render(outputs, sampleFrames, copyMix);
}

// Renders in chunks of the mixing buffers' size, so a host that sends more
// frames than it announced, or none at all, still gets every frame. Events
// at or beyond the block's end are applied after its last frame, so they
// sound from the start of the next call.
void MalletSynth::render(float** outputs, int32_t frames, MixWriter write) {
    if (!outputs || !outputs[0] || !outputs[1] || frames < 0) return;
    applySettings();
    eventQueue.keepRun(runs.load());
    int32_t next = 0;
    for (int32_t begin = 0; begin < frames; begin += MixBuffers::kFrames) {
        const int32_t end = std::min(begin + MixBuffers::kFrames, frames);
        renderChunk(begin, end, next);
        write(mix.left(), outputs[0] + begin, end - begin);
        write(mix.right(), outputs[1] + begin, end - begin);
    }
    for (; next < eventQueue.size(); ++next) applyMidi(eventQueue[next]);
    eventQueue.clear();
}

void MalletSynth::renderChunk(int32_t begin, int32_t end, int32_t& next) {
    mix.clear(end - begin);
    int32_t position = begin;
    for (; next < eventQueue.size() && eventQueue[next].frame < end; ++next) {
        const int32_t frame = eventQueue[next].frame;
        engine.render(mix.left() + (position - begin), mix.right() + (position - begin), frame - position);
        position = frame;
        applyMidi(eventQueue[next]);
    }
    engine.render(mix.left() + (position - begin), mix.right() + (position - begin), end - position);
}
