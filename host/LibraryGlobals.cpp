#include "host/PluginEntry.h"

void* moduleHandle = nullptr;
bool outOfMemory = false;
