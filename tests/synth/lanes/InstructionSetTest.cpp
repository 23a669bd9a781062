// Which instruction sets the pool may use: only those the processor has and
// whose registers the operating system saves, and what ZAV_ENGINE asks for
// when it is one of them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "synth/VoicePool.h"
#include "synth/lanes/InstructionSet.h"

namespace {

// Leaf 1 ECX: XSAVE enabled by the system, AVX. Leaf 7 EBX: AVX2, AVX-512F.
constexpr uint32_t kOsXsaveAndAvx = (1u << 27) | (1u << 28);
constexpr uint32_t kAvx2Bit = 1u << 5;
constexpr uint32_t kAvx512Bit = 1u << 16;

void setEngineVariable(const char* value)
{
#ifdef _WIN32
    ASSERT_EQ(_putenv_s("ZAV_ENGINE", value), 0);
#else
    ASSERT_EQ(value[0] != 0 ? setenv("ZAV_ENGINE", value, 1) : unsetenv("ZAV_ENGINE"), 0);
#endif
}

}  // namespace

TEST(InstructionSet, WideSetsNeedTheProcessorAndTheSystemToSaveTheirRegisters)
{
    struct Case {
        ProcessorReport report;
        bool avx2;
        bool avx512;
    };
    const Case cases[] = {
        {{kOsXsaveAndAvx, kAvx2Bit | kAvx512Bit, 0xe7}, true, true},
        // No opmask or upper zmm state saved: AVX-512 would lose its registers.
        {{kOsXsaveAndAvx, kAvx2Bit | kAvx512Bit, 0x07}, true, false},
        {{kOsXsaveAndAvx, kAvx2Bit | kAvx512Bit, 0x67}, true, false},
        // No ymm state saved.
        {{kOsXsaveAndAvx, kAvx2Bit | kAvx512Bit, 0x03}, false, false},
        // XSAVE not enabled by the system: XCR0 cannot even be read.
        {{1u << 28, kAvx2Bit | kAvx512Bit, 0}, false, false},
        {{kOsXsaveAndAvx, 0, 0xe7}, false, false},
        {{kOsXsaveAndAvx, kAvx512Bit, 0xe7}, false, false},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "leaf 1 ecx " << each.report.leaf1Ecx << ", leaf 7 ebx "
                                        << each.report.leaf7Ebx << ", xcr0 " << each.report.xcr0);
        EXPECT_TRUE(instructionSetSupported(InstructionSet::Sse2, each.report));
        EXPECT_EQ(instructionSetSupported(InstructionSet::Avx2, each.report), each.avx2);
        EXPECT_EQ(instructionSetSupported(InstructionSet::Avx512, each.report), each.avx512);
    }
}

TEST(InstructionSet, ChosenFromTheEnvironmentOrElseTheBestAvailable)
{
    // An empty value removes the variable.
    setEngineVariable("scalar");
    EXPECT_EQ(VoicePool().instructionSet(), InstructionSet::Scalar);
    setEngineVariable("sse2");
    EXPECT_EQ(VoicePool().instructionSet(), InstructionSet::Sse2);
    setEngineVariable("avx512");
    EXPECT_EQ(VoicePool().instructionSet(),
        instructionSetAvailable(InstructionSet::Avx512) ? InstructionSet::Avx512 : bestInstructionSet());
    setEngineVariable("no such engine");
    EXPECT_EQ(VoicePool().instructionSet(), bestInstructionSet());
    setEngineVariable("");
    EXPECT_EQ(VoicePool().instructionSet(), bestInstructionSet());
    for (InstructionSet wider : {InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (instructionSetAvailable(wider)) {
            EXPECT_GE(static_cast<int>(bestInstructionSet()), static_cast<int>(wider));
        }
    }
}
