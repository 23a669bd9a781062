// Replaces the global allocation functions of this test program with
// counting ones, to show that playing and rendering never allocate.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "FactoryProgramValues.h"
#include "synth/VoicePool.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

TEST(RenderAllocation, CountingAllocatorSeesAllocations)
{
    const long before = allocations.load();
    auto probe = std::make_unique<std::vector<int>>(100);
    EXPECT_GT(allocations.load(), before);
}

TEST(RenderAllocation, NotesParametersAndRenderingNeverAllocate)
{
    auto pool = std::make_unique<VoicePool>();
    std::vector<float> left(256);
    std::vector<float> right(256);
    const ProgramValues vibraphone = factoryProgramValues(kVibraphone);

    const long before = allocations.load();
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
    const long during = allocations.load() - before;

    EXPECT_EQ(during, 0);
}
