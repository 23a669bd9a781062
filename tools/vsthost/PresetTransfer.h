// Preset files between disk and a running plug-in: loaded into it as a host
// loads a musician's .fxp or .fxb, or taken from it and saved.
#pragma once

#include <cstdio>
#include <string>

#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PresetFile.h"

namespace vsthost {

// Checks the whole file against the plug-in before the first call, so a
// damaged or foreign file changes nothing; returns what went wrong.
std::string loadPresetFile(PluginInstance& plugin, const std::string& path, std::FILE* out);

// The current program (path ending in .fxp) or the whole bank (.fxb), as the
// plug-in's chunk when it keeps its programs as chunks, unless asValues.
std::string savePresetFile(PluginInstance& plugin, const std::string& path, bool asValues, std::FILE* out);

// What loadPresetFile and savePresetFile do once the file's bytes are read.
std::string fitsPlugin(PluginInstance& plugin, const Preset& preset);
std::string applyPreset(PluginInstance& plugin, const Preset& preset);
std::string capturePreset(PluginInstance& plugin, bool bank, bool asValues, Preset& preset);

}  // namespace vsthost
