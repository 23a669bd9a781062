#include "synth/lanes/InstructionSet.h"

#include <cpuid.h>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace {

constexpr uint32_t kOsSavesRegisters = 1u << 27;  // leaf 1, ECX: OSXSAVE
constexpr uint32_t kAvx = 1u << 28;               // leaf 1, ECX
constexpr uint32_t kAvx2 = 1u << 5;               // leaf 7, EBX
constexpr uint32_t kAvx512F = 1u << 16;           // leaf 7, EBX
// XCR0: the SSE and AVX halves of the vector registers, then the opmask
// registers and the upper halves of zmm0-15 and all of zmm16-31.
constexpr uint64_t kAvxState = 0x6;
constexpr uint64_t kAvx512State = 0xe0;

}  // namespace

ProcessorReport reportOfThisProcessor()
{
    ProcessorReport report;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0)
        return report;
    report.leaf1Ecx = ecx;
    if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0)
        report.leaf7Ebx = ebx;
    if ((report.leaf1Ecx & kOsSavesRegisters) != 0) {
        uint32_t low = 0, high = 0;
        __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        report.xcr0 = (static_cast<uint64_t>(high) << 32) | low;
    }
    return report;
}

// A processor may have the instructions while its system does not save the
// wider registers: their contents would then be lost at every thread switch.
bool instructionSetSupported(InstructionSet set, const ProcessorReport& report)
{
    const bool avx = (report.leaf1Ecx & (kOsSavesRegisters | kAvx)) == (kOsSavesRegisters | kAvx)
        && (report.xcr0 & kAvxState) == kAvxState;
    const bool avx2 = avx && (report.leaf7Ebx & kAvx2) != 0;
    switch (set) {
    case InstructionSet::Scalar:
    case InstructionSet::Sse2:
        return true;
    case InstructionSet::Avx2:
        return avx2;
    case InstructionSet::Avx512:
        return avx2 && (report.leaf7Ebx & kAvx512F) != 0 && (report.xcr0 & kAvx512State) == kAvx512State;
    }
    return false;
}

bool instructionSetAvailable(InstructionSet set)
{
    return instructionSetSupported(set, reportOfThisProcessor());
}

InstructionSet bestInstructionSet()
{
    for (InstructionSet set : {InstructionSet::Avx512, InstructionSet::Avx2}) {
        if (instructionSetAvailable(set))
            return set;
    }
    return InstructionSet::Sse2;
}

InstructionSet instructionSetFromEnvironment()
{
    const char* chosen = std::getenv("ZAV_ENGINE");
    if (chosen == nullptr)
        return bestInstructionSet();
    for (InstructionSet set : {InstructionSet::Scalar, InstructionSet::Sse2, InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (std::strcmp(chosen, instructionSetName(set)) == 0 && instructionSetAvailable(set))
            return set;
    }
    return bestInstructionSet();
}

const char* instructionSetName(InstructionSet set)
{
    switch (set) {
    case InstructionSet::Scalar:
        return "scalar";
    case InstructionSet::Sse2:
        return "sse2";
    case InstructionSet::Avx2:
        return "avx2";
    case InstructionSet::Avx512:
        return "avx512";
    }
    return "?";
}
