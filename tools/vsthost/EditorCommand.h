// The work behind `vsthost editor`: shows the plug-in's editor for a moment
// and saves a picture of it.
#pragma once

#include <cstdio>
#include <string>

#include "tools/vsthost/Commands.h"

namespace vsthost {

struct EditorJob {
    std::string outputPath;  // .png or .bmp
    double seconds = 1.0;
    PluginChoices choices;
    RenderSettings settings;  // rate and block size the plug-in is prepared with
};

int runEditor(PluginInstance& plugin, const EditorJob& job, std::FILE* out, std::FILE* err);

}  // namespace vsthost
