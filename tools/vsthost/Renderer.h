// Plays scheduled events through a plug-in block by block, as a sequencer
// does: the block's events first, then the processing call, into buffers the
// host owns.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "tools/vsthost/BlockScheduler.h"
#include "tools/vsthost/PeakMeter.h"
#include "tools/vsthost/PluginInstance.h"

namespace vsthost {

struct RenderSettings {
    int32_t sampleRate = 44100;
    int32_t blockSize = 512;
    bool accumulate = false;  // `process` into cleared buffers instead of processReplacing
    double tailSeconds = 2.5;  // after the last event, so that decays are not cut
};

class AudioSink {
public:
    virtual ~AudioSink() = default;
    virtual bool write(const float* const* channels, int32_t frames) = 0;
};

struct RenderOutcome {
    int64_t frames = 0;
    PeakMeter meter;
    size_t droppedEvents = 0;
    bool accumulated = false;
    bool sinkFailed = false;
};

using ProgressReport = std::function<void(int64_t framesDone, int64_t framesTotal)>;

// Frames from the start to the last event plus the tail (the last event is
// always inside).
int64_t renderLength(std::span<const ScheduledEvent> events, const RenderSettings& settings);

// The plug-in must be open and prepared with the same rate and block size;
// this resumes it, renders, and suspends it again. The sink receives the
// first `channels` outputs.
RenderOutcome renderEvents(PluginInstance& plugin, std::span<const ScheduledEvent> events,
                           const RenderSettings& settings, int channels, AudioSink& sink,
                           const ProgressReport& progress);

}  // namespace vsthost
