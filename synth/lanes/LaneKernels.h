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

// The vector code of one instruction set, built in its own file with that
// set enabled and called only once the processor is known to have it.
struct LaneKernels {
    GroupKernel group;
    // One lane alone, its four modes side by side instead.
    void (*renderOne)(VoiceLanes& lanes, int32_t lane, int32_t count, float* output);
    void (*replayOne)(VoiceLanes& lanes, int32_t lane, int32_t count, float* output);
    // Adds one voice's samples into the mix as the scalar pool does:
    // left[i] = float(left[i] + voice[i] * leftGain), the same on the right.
    void (*mixVoice)(const float* voice, double leftGain, double rightGain, float* left, float* right,
        int32_t count);
};

// Each only to be called once the processor is known to have the set.
const LaneKernels& sse2LaneKernels();
const LaneKernels& avx2LaneKernels();
// Eight lanes per instruction. A lone voice's four modes and the mix need no
// more than AVX2, whose kernels do them beside it.
const GroupKernel& avx512GroupKernel();
