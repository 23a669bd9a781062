#pragma once

#include <cstdint>

// How the pool advances its voices. All of them compute the same samples bit
// for bit: the vector engines run the scalar arithmetic in SIMD lanes, one
// voice per lane, so only the time differs.
enum class VoiceEngine : int32_t {
    Scalar,  // one voice after another: the reference
    Sse2,    // two voices per instruction; every x86 build has it
    Avx2,    // four voices per instruction, where the processor has AVX2
    Avx512,  // eight, where it has AVX-512F and the system saves its registers
};

// What CPUID and XCR0 tell about a processor and its operating system.
struct ProcessorReport {
    uint32_t leaf1Ecx = 0;
    uint32_t leaf7Ebx = 0;
    // The register state the system saves on a switch; 0 without XSAVE.
    uint64_t xcr0 = 0;
};

ProcessorReport reportOfThisProcessor();
bool voiceEngineSupported(VoiceEngine engine, const ProcessorReport& report);
bool voiceEngineAvailable(VoiceEngine engine);
VoiceEngine bestVoiceEngine();
// ZAV_ENGINE=scalar|sse2|avx2|avx512 chooses; anything else, or an engine
// this processor or build lacks, gives the best available one.
VoiceEngine voiceEngineFromEnvironment();
const char* voiceEngineName(VoiceEngine engine);
