// The plug-in's entry point as a host meets it: through LoadLibrary and the
// exported "main" of the real DLL. Whether objects are created and destroyed
// is read from the C runtime heap that the DLL and this program share.
#include <windows.h>

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>

#include "host/VstInterface.h"

namespace {

using EntryPoint = AEffect*(VSTCALLBACK*)(audioMasterCallback);

struct HeapUse {
    size_t busyBlocks = 0;
    size_t busyBytes = 0;
    bool holds(const void* block) const { return found == block; }
    const void* found = nullptr;
};

// Busy blocks of the C runtime heap; `watched`, if given, is looked for among them.
HeapUse heapUse(const void* watched = nullptr) {
    HeapUse use;
    const auto heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) == 0) continue;
        ++use.busyBlocks;
        use.busyBytes += entry.cbData;
        if (watched != nullptr && entry.lpData == watched) use.found = watched;
    }
    HeapUnlock(heap);
    return use;
}

// Calls are recorded without allocating, so that they do not show in the heap.
struct Call {
    AEffect* effect;
    int32_t opcode;
};
Call calls[64];
int callCount = 0;
intptr_t versionAnswer = 0;

intptr_t VSTCALLBACK host(AEffect* effect, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (callCount < 64) calls[callCount++] = {effect, opcode};
    return opcode == audioMasterVersion ? versionAnswer : 0;
}

class PluginEntryThroughDll : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library = LoadLibraryA(ZAV_PLUGIN_PATH);
        ASSERT_NE(library, nullptr) << ZAV_PLUGIN_PATH;
        entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void (*)()>(GetProcAddress(library, "main")));
        ASSERT_NE(entry, nullptr);
        // One full life first, so that one-time allocations of the runtime are behind us.
        versionAnswer = 2400;
        AEffect* warmUp = entry(host);
        ASSERT_NE(warmUp, nullptr);
        warmUp->dispatcher(warmUp, effClose, 0, 0, nullptr, 0.0f);
    }
    static void TearDownTestSuite() {
        if (library != nullptr) FreeLibrary(library);
    }
    void SetUp() override {
        ASSERT_NE(entry, nullptr);
        callCount = 0;
    }

    static HMODULE library;
    static EntryPoint entry;
};

HMODULE PluginEntryThroughDll::library = nullptr;
EntryPoint PluginEntryThroughDll::entry = nullptr;

TEST_F(PluginEntryThroughDll, HostAnsweringZeroToTheVersionGetsNothingAndNothingIsCreated) {
    versionAnswer = 0;
    const HeapUse before = heapUse();
    AEffect* effect = entry(host);
    const HeapUse after = heapUse();
    EXPECT_EQ(effect, nullptr);
    EXPECT_EQ(after.busyBlocks, before.busyBlocks);
    EXPECT_EQ(after.busyBytes, before.busyBytes);
    ASSERT_EQ(callCount, 1);
    EXPECT_EQ(calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(calls[0].effect, nullptr);
}

TEST_F(PluginEntryThroughDll, HostAnswering2400GetsARecordInsideItsObjectAndCloseDestroysIt) {
    versionAnswer = 2400;
    const HeapUse before = heapUse();
    AEffect* effect = entry(host);
    ASSERT_NE(effect, nullptr);
    const HeapUse created = heapUse(effect->object);
    EXPECT_EQ(effect->magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_GT(created.busyBytes, before.busyBytes + sizeof(AEffect));
    // `object` is the start of the object's heap block, and the record lives inside it.
    ASSERT_TRUE(created.holds(effect->object));
    const auto* object = static_cast<const char*>(effect->object);
    const auto* record = reinterpret_cast<const char*>(effect);
    ASSERT_GE(record, object);
    EXPECT_LE(record + sizeof(AEffect), object + _msize(effect->object));
    for (int i = 0; i < callCount; ++i) EXPECT_TRUE(calls[i].effect == nullptr || calls[i].effect == effect);

    const void* block = effect->object;
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    const HeapUse closed = heapUse(block);
    EXPECT_FALSE(closed.holds(block));
    EXPECT_EQ(closed.busyBlocks, before.busyBlocks);
    EXPECT_EQ(closed.busyBytes, before.busyBytes);
}

TEST_F(PluginEntryThroughDll, EachCallOfMainMakesItsOwnObject) {
    versionAnswer = 2400;
    AEffect* first = entry(host);
    AEffect* second = entry(host);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_NE(first->object, second->object);
    EXPECT_EQ(first->dispatcher(first, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(second->magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(second->dispatcher(second, effClose, 0, 0, nullptr, 0.0f), 1);
}

}  // namespace
