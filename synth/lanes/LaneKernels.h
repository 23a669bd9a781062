#pragma once

#include <cstdint>

class VoiceLanes;

// Advances `width` lanes from `first` by count samples, each of which must
// still be running after them; lane first + j writes its samples to
// outputs[j]. `replay` is for voices ringing on in their modes' cycles
// (see ModeCycles): outputs[j] holds the sums of the modes and gets the
// samples in their place.
struct GroupKernel {
    int32_t width;
    void (*render)(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs);
    void (*replay)(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs);
};

// Adds one voice's samples into the mix as the scalar pool does:
// left[i] = float(left[i] + voice[i] * leftGain), the same on the right.
using MixVoice = void (*)(const float* voice, double leftGain, double rightGain, float* left, float* right,
    int32_t count);

// The vector code of one instruction set, built in its own file with that
// set enabled and called only once the processor is known to have it.
struct LaneKernels {
    GroupKernel group;
    // One lane alone, its four modes side by side instead.
    void (*renderOne)(VoiceLanes& lanes, int32_t lane, int32_t count, float* output);
    void (*replayOne)(VoiceLanes& lanes, int32_t lane, int32_t count, float* output);
    MixVoice mixVoice;
};

// The kernels of a set wider than a lone voice's four modes need: groups of
// its width and the mix; a lone voice runs on a narrower set's kernels.
struct WideLaneKernels {
    GroupKernel group;
    MixVoice mixVoice;
};

// Each only to be called once the processor is known to have the set.
const LaneKernels& sse2LaneKernels();
const LaneKernels& avx2LaneKernels();
// Eight lanes per instruction, beside AVX2's kernels.
const WideLaneKernels& avx512LaneKernels();
