#include "gui/ToolkitModule.h"

HINSTANCE toolkitModule() {
    HMODULE module = nullptr;
    // The module holding this very function, without taking a reference on it.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&toolkitModule), &module);
    return module;
}
