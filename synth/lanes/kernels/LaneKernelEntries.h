// The entry points of one instruction set's lane kernels, included by the one
// file built with that set enabled, so the code lands there and nowhere else.
#pragma once

#include <cstdint>

#include "synth/lanes/kernels/LaneGroupKernel.h"
#include "synth/lanes/LaneKernels.h"
#include "synth/lanes/kernels/LaneMix.h"
#include "synth/lanes/kernels/LaneSoloKernel.h"

// Windows promises 32-bit code only a 4-byte aligned stack: the entry points
// realign it, and GCC aligns the vector spills below them from there.
#if defined(__i386__)
#define ZAV_REALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define ZAV_REALIGN_STACK
#endif

template <typename Pack>
struct LaneKernelEntries {
    ZAV_REALIGN_STACK static void renderGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
    {
        lanekernel::renderGroup<Pack>(lanes, first, count, outputs);
    }

    ZAV_REALIGN_STACK static void replayGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
    {
        lanekernel::replayGroup<Pack>(lanes, first, count, outputs);
    }

    ZAV_REALIGN_STACK static void replayOne(VoiceLanes& lanes, int32_t lane, int32_t count, float* output)
    {
        lanekernel::replayOne<Pack>(lanes, lane, count, output);
    }

    ZAV_REALIGN_STACK static void renderOne(VoiceLanes& lanes, int32_t lane, int32_t count, float* output)
    {
        lanekernel::renderOne<Pack>(lanes, lane, count, output);
    }

    ZAV_REALIGN_STACK static void mixVoice(const float* voice, double leftGain, double rightGain, float* left,
        float* right, int32_t count)
    {
        lanekernel::mixVoice<Pack>(voice, leftGain, rightGain, left, right, count);
    }

    static constexpr LaneKernels kernels{{Pack::kWidth, renderGroup, replayGroup}, renderOne, replayOne, mixVoice};
};
