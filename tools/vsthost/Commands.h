// The work behind `vsthost info` and `vsthost render`, on a plug-in that has
// been loaded but not yet opened. Messages for the musician go to `out`,
// problems to `err`; the result is the program's exit status.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/Renderer.h"
#include "tools/vsthost/WavFile.h"

namespace vsthost {

struct PluginChoices {
    std::string presetPath;  // .fxp or .fxb loaded first; empty loads none
    std::string program;  // number or name; empty keeps the plug-in's own
    std::vector<std::string> parameters;  // "index=value" or "name=value"
};

struct RenderJob {
    std::string midiPath;  // empty: the built-in demo phrase
    std::string outputPath;
    SampleFormat format = SampleFormat::Pcm16;
    RenderSettings settings;
    PluginChoices choices;
};

struct PresetJob {
    std::string outputPath;  // name.fxp: the current program; name.fxb: the bank
    bool asValues = false;   // parameter values even when the plug-in keeps chunks
    PluginChoices choices;
};

// Selects the program, loads the preset (a program file into the program
// selected, a bank whole), then sets the parameters; returns what went wrong.
std::string applyChoices(PluginInstance& plugin, const PluginChoices& choices, std::FILE* out);

int runInfo(PluginInstance& plugin, std::FILE* out);
int runRender(PluginInstance& plugin, const RenderJob& job, std::FILE* out, std::FILE* err);
int runPreset(PluginInstance& plugin, const PresetJob& job, std::FILE* out, std::FILE* err);

}  // namespace vsthost
