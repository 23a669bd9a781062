#pragma once

#include <cstdint>

// The instructions the pool renders its voices with. Every choice computes
// the same samples bit for bit: the lane engine runs the scalar arithmetic in
// vector lanes, one voice per lane, so only the time differs.
enum class InstructionSet : int32_t {
    Scalar,  // one voice after another, in the voice model's own code: the reference
    Sse2,    // lanes two voices wide; every x86 processor has it
    Avx2,    // four voices wide, where the processor has AVX2
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
bool instructionSetSupported(InstructionSet set, const ProcessorReport& report);
bool instructionSetAvailable(InstructionSet set);
InstructionSet bestInstructionSet();
// ZAV_ENGINE=scalar|sse2|avx2|avx512 chooses; anything else, or a set this
// processor lacks, gives the best available one.
InstructionSet instructionSetFromEnvironment();
const char* instructionSetName(InstructionSet set);
