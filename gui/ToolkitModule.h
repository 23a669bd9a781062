// The module (plug-in library or program) the toolkit is linked into: where
// its pictures and window class live unless an owner names another. Null
// where the platform has no such thing.
#pragma once

#include "gui/SystemTypes.h"

SystemModule toolkitModule();
