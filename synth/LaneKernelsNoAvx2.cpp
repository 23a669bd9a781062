// Builds without the AVX2 code (the 64-bit Windows DLL) offer only SSE2.
#include "synth/LaneKernels.h"

const LaneKernels* avx2LaneKernels()
{
    return nullptr;
}
