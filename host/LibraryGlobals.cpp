#include "host/PluginEntry.h"

void* moduleHandle = nullptr;
