#include "synth/lanes/LaneRenderer.h"

#include <new>

#include "synth/voice/StrikeVoice.h"

namespace {

// A voice's modes enter their cycles one by one over a few thousand samples
// once their states are in the flushed range. A search that finds no cycle
// yet costs about as much as computing a few spans, so it waits while the
// states still fall quickly and is not repeated at once after a miss.
constexpr int32_t kSpansBetweenSearches = 8;
constexpr float kStillFalling = 0.7f;

}  // namespace

LaneRenderer::LaneRenderer(const LaneKernels& laneKernels)
    : kernels(&laneKernels), cycles(new (std::nothrow) ModeCycles[kSlotCount])
{
}

void LaneRenderer::render(const Slots& slots, float* left, float* right, int32_t count)
{
    for (int32_t done = 0; done < count; done += kSpan) {
        const int32_t span = count - done < kSpan ? count - done : kSpan;
        renderSpan(slots, left + done, right + done, span);
    }
}

void LaneRenderer::renderSpan(const Slots& slots, float* left, float* right, int32_t count)
{
    loadLanes(slots, count);
    // The wide mix only beside wide groups: alone, the narrower set's kernels
    // run faster without the wide instructions' cost to the whole core.
    const bool wide = widerKernels != nullptr
        && (computed.count > kernels->group.width || replayed.count > kernels->group.width);
    runLanes(slots, count);
    // Slot order, as the scalar pool adds them.
    const MixVoice mixVoice = wide ? widerKernels->mixVoice : kernels->mixVoice;
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        if (produced[slot] > 0)
            mixVoice(voiceOutput[slot], slots.leftGain[slot], slots.rightGain[slot], left, right, produced[slot]);
    }
}

void LaneRenderer::loadLanes(const Slots& slots, int32_t count)
{
    for (LaneSet* set : {&computed, &replayed}) {
        set->lanes.begin();
        set->count = 0;
    }
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        produced[slot] = 0;
        if (!slots.active[slot])
            continue;
        // Finished on the last sample of an earlier call: free from now on.
        if (slots.voices[slot].isFinished()) {
            slots.active[slot] = false;
            continue;
        }
        voiceStates[slot] = slots.voices[slot].snapshot();
        LaneSet& set = followsCycles(slot) ? replayed : computed;
        if (!set.lanes.load(set.count, voiceStates[slot])) {
            renderAlone(slots, slot, count);
            continue;
        }
        set.slot[set.count] = slot;
        set.run[set.count] = set.lanes.samplesToFinish(set.count, count);
        if (set.replaying)
            cycles[slot].writeSums(voiceOutput[slot], set.run[set.count] < count ? set.run[set.count] : count);
        ++set.count;
    }
}

bool LaneRenderer::followsCycles(int32_t slot)
{
    const VoiceState& voice = voiceStates[slot];
    if (cycles == nullptr || !ModeCycles::pulseOverForGood(voice))
        return false;
    const float loudest = ModeCycles::loudestState(voice);
    const bool falling = loudest < kStillFalling * loudestBefore[slot];
    loudestBefore[slot] = loudest;
    if (!(loudest < ModeCycles::kFlushedRange))
        return false;
    ModeCycles& cycle = cycles[slot];
    if (cycle.follows(voice))
        return true;
    cycle.forget();
    if (falling)
        return false;
    if (spansUntilSearch[slot] > 0) {
        --spansUntilSearch[slot];
        return false;
    }
    if (cycle.record(voice))
        return true;
    spansUntilSearch[slot] = kSpansBetweenSearches;
    return false;
}

void LaneRenderer::renderAlone(const Slots& slots, int32_t slot, int32_t count)
{
    StrikeVoice& voice = slots.voices[slot];
    int32_t i = 0;
    for (; i < count; ++i) {
        if (voice.isFinished()) {
            slots.active[slot] = false;
            break;
        }
        voiceOutput[slot][i] = voice.tick();
    }
    produced[slot] = i;
}

void LaneRenderer::runLanes(const Slots& slots, int32_t count)
{
    int32_t position = 0;
    while (computed.count + replayed.count > 0) {
        const int32_t samples = samplesToNextFinish(position, count);
        for (LaneSet* set : {&computed, &replayed}) {
            idleThePadding(*set);
            advanceGroups(*set, position, samples);
        }
        position += samples;
        if (position == count)
            break;
        for (LaneSet* set : {&computed, &replayed}) {
            for (int32_t lane = set->count - 1; lane >= 0; --lane) {
                if (set->run[lane] == position)
                    retireLane(slots, *set, lane, position, count);
            }
        }
    }
    for (LaneSet* set : {&computed, &replayed}) {
        for (int32_t lane = set->count - 1; lane >= 0; --lane)
            retireLane(slots, *set, lane, count, count);
    }
}

// Up to the next voice that finishes, or to the end of the span.
int32_t LaneRenderer::samplesToNextFinish(int32_t position, int32_t count) const
{
    int32_t samples = count - position;
    for (const LaneSet* set : {&computed, &replayed}) {
        for (int32_t lane = 0; lane < set->count; ++lane) {
            if (set->run[lane] - position < samples)
                samples = set->run[lane] - position;
        }
    }
    return samples;
}

void LaneRenderer::advanceGroups(LaneSet& set, int32_t position, int32_t samples)
{
    float* outputs[kWidestGroup];
    for (int32_t first = 0; first < set.count;) {
        if (first + 1 == set.count) {
            float* output = voiceOutput[set.slot[first]] + position;
            if (set.replaying)
                kernels->replayOne(set.lanes, first, samples, output);
            else
                kernels->renderOne(set.lanes, first, samples, output);
            break;
        }
        const GroupKernel& group = groupFor(set.count - first);
        for (int32_t j = 0; j < group.width; ++j) {
            const int32_t lane = first + j;
            outputs[j] = lane < set.count ? voiceOutput[set.slot[lane]] + position : padding;
        }
        (set.replaying ? group.replay : group.render)(set.lanes, first, samples, outputs);
        first += group.width;
    }
}

const GroupKernel& LaneRenderer::groupFor(int32_t lanesLeft) const
{
    return widerKernels != nullptr && lanesLeft > kernels->group.width ? widerKernels->group : kernels->group;
}

// The voice goes back with what the lane did to it; a voice that finished
// before the span's end frees its slot from the next sample on.
void LaneRenderer::retireLane(const Slots& slots, LaneSet& set, int32_t lane, int32_t position, int32_t count)
{
    const int32_t slot = set.slot[lane];
    const bool finished = set.run[lane] == position;
    set.lanes.store(lane, voiceStates[slot], position, finished);
    if (set.replaying)
        cycles[slot].advance(voiceStates[slot], position);
    slots.voices[slot].resume(voiceStates[slot]);
    produced[slot] = position;
    if (finished && position < count)
        slots.active[slot] = false;
    --set.count;
    if (lane != set.count) {
        set.lanes.move(set.count, lane);
        set.slot[lane] = set.slot[set.count];
        set.run[lane] = set.run[set.count];
    }
}

void LaneRenderer::idleThePadding(LaneSet& set)
{
    // A lone lane runs without a group.
    if (set.count < 2)
        return;
    // Up to the end of the last group, whichever width it has.
    const int32_t width = groupFor(kSlotCount).width;
    for (int32_t lane = set.count; lane % width != 0; ++lane)
        set.lanes.makeIdle(lane, set.count - 1);
}
