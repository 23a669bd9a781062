// What `vsthost info` prints: everything the plug-in says about itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "tools/vsthost/PluginInstance.h"

namespace vsthost {

// A four-character code as text, most significant byte first; bytes that
// are not printable show as '.'.
std::string fourCharText(int32_t code);
// "0x111: has editor, replacing, instrument".
std::string describeFlags(int32_t flags);
std::string describeCategory(intptr_t category);

// The plug-in must be open.
void printPluginReport(PluginInstance& plugin, std::FILE* out);

}  // namespace vsthost
