#include "synth/lanes/LaneRenderer.h"

#include "synth/voice/StrikeVoice.h"

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
    runLanes(slots, count);
    // Slot order, as the scalar pool adds them.
    for (int32_t slot = 0; slot < kSlotCount; ++slot) {
        if (produced[slot] > 0) {
            kernels->mixVoice(
                voiceOutput[slot], slots.leftGain[slot], slots.rightGain[slot], left, right, produced[slot]);
        }
    }
}

void LaneRenderer::loadLanes(const Slots& slots, int32_t count)
{
    lanes.begin();
    laneCount = 0;
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
        if (!lanes.load(laneCount, voiceStates[slot])) {
            renderAlone(slots, slot, count);
            continue;
        }
        laneSlot[laneCount] = slot;
        laneRun[laneCount] = lanes.samplesToFinish(laneCount, count);
        ++laneCount;
    }
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
    while (laneCount > 0) {
        // Up to the next voice that finishes, or to the end of the span.
        int32_t samples = count - position;
        for (int32_t lane = 0; lane < laneCount; ++lane) {
            if (laneRun[lane] - position < samples)
                samples = laneRun[lane] - position;
        }
        idleThePadding();
        advanceGroups(position, samples);
        position += samples;
        if (position == count)
            break;
        for (int32_t lane = laneCount - 1; lane >= 0; --lane) {
            if (laneRun[lane] == position)
                retireLane(slots, lane, position, count);
        }
    }
    for (int32_t lane = laneCount - 1; lane >= 0; --lane)
        retireLane(slots, lane, count, count);
}

void LaneRenderer::advanceGroups(int32_t position, int32_t samples)
{
    float* outputs[kWidestGroup];
    for (int32_t first = 0; first < laneCount;) {
        if (first + 1 == laneCount) {
            kernels->renderOne(lanes, first, samples, voiceOutput[laneSlot[first]] + position);
            break;
        }
        const GroupKernel& group = groupFor(laneCount - first);
        for (int32_t j = 0; j < group.width; ++j) {
            const int32_t lane = first + j;
            outputs[j] = lane < laneCount ? voiceOutput[laneSlot[lane]] + position : padding;
        }
        group.render(lanes, first, samples, outputs);
        first += group.width;
    }
}

const GroupKernel& LaneRenderer::groupFor(int32_t lanesLeft) const
{
    return widerGroups != nullptr && lanesLeft > kernels->group.width ? *widerGroups : kernels->group;
}

// The voice goes back with what the lane did to it; a voice that finished
// before the span's end frees its slot from the next sample on.
void LaneRenderer::retireLane(const Slots& slots, int32_t lane, int32_t position, int32_t count)
{
    const int32_t slot = laneSlot[lane];
    const bool finished = laneRun[lane] == position;
    lanes.store(lane, voiceStates[slot], position, finished);
    slots.voices[slot].resume(voiceStates[slot]);
    produced[slot] = position;
    if (finished && position < count)
        slots.active[slot] = false;
    --laneCount;
    if (lane != laneCount) {
        lanes.move(laneCount, lane);
        laneSlot[lane] = laneSlot[laneCount];
        laneRun[lane] = laneRun[laneCount];
    }
}

void LaneRenderer::idleThePadding()
{
    // Up to the end of the last group, whichever width it has.
    const int32_t width = groupFor(kSlotCount).width;
    for (int32_t lane = laneCount; lane % width != 0; ++lane)
        lanes.makeIdle(lane);
}
