#include "gui/x11/PictureResources.h"

#include "gui/ToolkitModule.h"

namespace {

// Filled by static initialisation only, before any lookup.
PictureTable* firstTable = nullptr;

}  // namespace

PictureTable::PictureTable(const PictureResource* resources, size_t count)
    : entries(resources), entryCount(count), next(firstTable) {
    firstTable = this;
}

const PictureResource* PictureTable::find(int32_t id) {
    for (const PictureTable* table = firstTable; table; table = table->next) {
        for (size_t i = 0; i < table->entryCount; ++i) {
            if (table->entries[i].id == id) return &table->entries[i];
        }
    }
    return nullptr;
}

// Every table registered in the process serves every frame.
SystemModule toolkitModule() { return nullptr; }
