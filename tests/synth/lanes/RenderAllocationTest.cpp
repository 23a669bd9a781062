// Playing and rendering never allocate: this program counts every call of
// the global operator new.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/synth/CountingAllocator.h"
#include "tests/synth/FactoryProgramValues.h"
#include "synth/VoicePool.h"

TEST(RenderAllocation, CountingAllocatorSeesAllocations)
{
    const long before = allocationCount();
    auto probe = std::make_unique<std::vector<int>>(100);
    EXPECT_GT(allocationCount(), before);
}

TEST(RenderAllocation, NotesParametersAndRenderingNeverAllocate)
{
    auto pool = std::make_unique<VoicePool>();
    std::vector<float> left(256);
    std::vector<float> right(256);
    const ProgramValues vibraphone = factoryProgramValues(kVibraphone);

    const long before = allocationCount();
    pool->setSampleRate(48000.0f);
    for (int32_t index = 0; index < 19; ++index)
        pool->setParameter(index, vibraphone[static_cast<std::size_t>(index)]);
    for (int32_t round = 0; round < 40; ++round) {
        pool->noteOn((round * 7) % 128, 100);
        for (int32_t slot = 0; slot < VoicePool::kSlotCount; ++slot)
            pool->renderSlot(slot, left.data(), right.data(), 256);
    }
    pool->allNotesOff();
    pool->noteOn(60, 0);
    pool->renderSlot(0, left.data(), right.data(), 256);
    const long during = allocationCount() - before;

    EXPECT_EQ(during, 0);
}

// The vector engines render from buffers the pool holds from its construction.
TEST(RenderAllocation, EveryEngineRendersWithoutAllocating)
{
    for (InstructionSet engine : {InstructionSet::Scalar, InstructionSet::Sse2, InstructionSet::Avx2, InstructionSet::Avx512}) {
        if (!instructionSetAvailable(engine))
            continue;
        auto pool = std::make_unique<VoicePool>();
        ASSERT_EQ(pool->useInstructionSet(engine), engine);
        std::vector<float> left(700);
        std::vector<float> right(700);
        applyProgram(*pool, kVibraphone);

        const long before = allocationCount();
        pool->setSampleRate(100.0f);
        for (int32_t round = 0; round < 40; ++round) {
            pool->noteOn((round * 7) % 128, 100);
            pool->render(left.data(), right.data(), 1 + (round * 37) % 700);
        }
        pool->allNotesOff();
        const long during = allocationCount() - before;

        EXPECT_EQ(during, 0) << instructionSetName(engine);
    }
}
