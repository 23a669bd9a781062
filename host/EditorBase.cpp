#include "host/EditorBase.h"

int32_t EditorBase::editGetRect(void* ptr) {
    if (ptr) *static_cast<void**>(ptr) = nullptr;
    return 0;
}

int32_t EditorBase::editOpen(void* hostWindow) {
    systemWindow = hostWindow;
    return 0;
}

void EditorBase::editIdle() {
    if (updateRequested.exchange(0) != 0) refresh();
}
