#include "FailingAllocation.h"

#include <windows.h>

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

bool armed = false;
int failingOrdinal = 0;
int seen = 0;

void* allocate(std::size_t size) {
    if (armed && ++seen == failingOrdinal) return nullptr;
    // The runtime's operator delete frees with free().
    return std::malloc(size != 0 ? size : 1);
}

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

namespace failing_allocation {

void failAt(int ordinal) {
    armed = true;
    failingOrdinal = ordinal;
    seen = 0;
}

void disarm() { armed = false; }

int counted() { return seen; }

}  // namespace failing_allocation

int heapBlocksInUse() {
    const auto heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    int busy = 0;
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
    }
    HeapUnlock(heap);
    return busy;
}
