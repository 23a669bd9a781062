#include "tools/vsthost/Renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/vsthost/VstEventList.h"

namespace vsthost {
namespace {

// Buffers for every pin the plug-in has, and the pointer arrays it is given.
class PinBuffers {
public:
    PinBuffers(int32_t count, int32_t frames)
        : storage(static_cast<size_t>(std::max(count, 1)), std::vector<float>(static_cast<size_t>(frames))) {
        for (auto& buffer : storage) pointers.push_back(buffer.data());
    }
    float** data() { return pointers.data(); }
    const float* const* channels() const { return pointers.data(); }
    void clear(int32_t frames) {
        for (auto& buffer : storage) std::fill_n(buffer.begin(), frames, 0.0f);
    }

private:
    std::vector<std::vector<float>> storage;
    std::vector<float*> pointers;
};

}  // namespace

int64_t renderLength(std::span<const ScheduledEvent> events, const RenderSettings& settings) {
    const auto tail = static_cast<int64_t>(std::llround(std::max(settings.tailSeconds, 0.0) * settings.sampleRate));
    if (events.empty()) return tail;
    // At least one frame after the last event, or it would never be sent.
    return events.back().frame + std::max<int64_t>(tail, 1);
}

RenderOutcome renderEvents(PluginInstance& plugin, std::span<const ScheduledEvent> events,
                           const RenderSettings& settings, int channels, AudioSink& sink,
                           const ProgressReport& progress) {
    RenderOutcome outcome;
    AEffect* effect = plugin.record();
    const int32_t blockSize = std::max(settings.blockSize, 1);
    outcome.accumulated = settings.accumulate || (effect->flags & effFlagsCanReplacing) == 0;
    PinBuffers inputs(plugin.inputCount(), blockSize);
    PinBuffers outputs(plugin.outputCount(), blockSize);
    inputs.clear(blockSize);
    VstEventList list(mostEventsPerBlock(events, blockSize));
    BlockScheduler scheduler(events);
    const int64_t total = renderLength(events, settings);

    plugin.resume();
    for (int64_t start = 0; start < total && !outcome.sinkFailed; start += blockSize) {
        const auto frames = static_cast<int32_t>(std::min<int64_t>(blockSize, total - start));
        list.fill(scheduler.eventsInBlock(start, frames), start);
        if (list.size() > 0) plugin.dispatch(effProcessEvents, 0, 0, list.record());
        if (outcome.accumulated) {
            outputs.clear(frames);
            effect->process(effect, inputs.data(), outputs.data(), frames);
        } else {
            effect->processReplacing(effect, inputs.data(), outputs.data(), frames);
        }
        for (int c = 0; c < channels; ++c) outcome.meter.add(outputs.channels()[c], frames);
        outcome.sinkFailed = !sink.write(outputs.channels(), frames);
        outcome.frames += frames;
        if (progress) progress(outcome.frames, total);
    }
    plugin.suspend();
    outcome.droppedEvents = list.dropped();
    return outcome;
}

}  // namespace vsthost
