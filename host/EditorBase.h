// The editor interface the effect drives through the editor opcodes.
#pragma once

#include <atomic>
#include <cstdint>

class EffectBase;

class EditorBase {
public:
    explicit EditorBase(EffectBase* owner) : instrument(owner) {}
    virtual ~EditorBase() = default;
    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

    // ptr is the host's: the address where the editor stores a pointer to its rectangle.
    virtual int32_t editGetRect(void* ptr);
    virtual int32_t editOpen(void* hostWindow);
    virtual void editClose() {}
    virtual void editIdle();
    virtual void refresh() {}
    // Any thread.
    virtual void postUpdate() { updateRequested.store(1); }

protected:
    EffectBase* instrument;
    void* systemWindow = nullptr;
    std::atomic<int32_t> updateRequested{0};
};
