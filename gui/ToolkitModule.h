// The module (plug-in library or program) the toolkit is linked into: where
// its pictures and window class live unless an owner names another.
#pragma once

#include <windows.h>

HINSTANCE toolkitModule();
