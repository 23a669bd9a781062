#include "gui/TickCount.h"

#include <windows.h>

uint32_t tickCount() { return GetTickCount(); }
