#include "synth/VoiceEngine.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

bool voiceEngineAvailable(VoiceEngine engine)
{
    switch (engine) {
    case VoiceEngine::Scalar:
    case VoiceEngine::Sse2:
        return true;
    case VoiceEngine::Avx2:
#if ZAV_AVX2_KERNELS
        // Also checks that the system saves the wide registers.
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
#else
        return false;
#endif
    }
    return false;
}

VoiceEngine bestVoiceEngine()
{
    return voiceEngineAvailable(VoiceEngine::Avx2) ? VoiceEngine::Avx2 : VoiceEngine::Sse2;
}

VoiceEngine voiceEngineFromEnvironment()
{
    const char* chosen = std::getenv("ZAV_ENGINE");
    if (chosen == nullptr)
        return bestVoiceEngine();
    for (VoiceEngine engine : {VoiceEngine::Scalar, VoiceEngine::Sse2, VoiceEngine::Avx2}) {
        if (std::strcmp(chosen, voiceEngineName(engine)) == 0 && voiceEngineAvailable(engine))
            return engine;
    }
    return bestVoiceEngine();
}

const char* voiceEngineName(VoiceEngine engine)
{
    switch (engine) {
    case VoiceEngine::Scalar:
        return "scalar";
    case VoiceEngine::Sse2:
        return "sse2";
    case VoiceEngine::Avx2:
        return "avx2";
    }
    return "?";
}
