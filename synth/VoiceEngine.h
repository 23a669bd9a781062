#pragma once

#include <cstdint>

// How the pool advances its voices. All of them compute the same samples bit
// for bit: the vector engines run the scalar arithmetic in SIMD lanes, one
// voice per lane, so only the time differs.
enum class VoiceEngine : int32_t {
    Scalar,  // one voice after another: the reference
    Sse2,    // two voices per instruction; every x86 build has it
    Avx2,    // four voices per instruction, where the processor has AVX2
};

bool voiceEngineAvailable(VoiceEngine engine);
VoiceEngine bestVoiceEngine();
// ZAV_ENGINE=scalar|sse2|avx2 chooses; anything else, or an engine this
// processor or build lacks, gives the best available one.
VoiceEngine voiceEngineFromEnvironment();
const char* voiceEngineName(VoiceEngine engine);
