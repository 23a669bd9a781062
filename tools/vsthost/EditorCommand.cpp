#include "tools/vsthost/EditorCommand.h"

#include <algorithm>
#include <cmath>

#include "tools/vsthost/EditorWindow.h"
#include "tools/vsthost/HostCallback.h"

namespace vsthost {

int runEditor(PluginInstance& plugin, const EditorJob& job, std::FILE* out, std::FILE* err) {
    if (!plugin.hasEditor()) {
        std::fprintf(err, "vsthost: this plug-in has no editor\n");
        return 1;
    }
    plugin.open();
    plugin.prepare(job.settings.sampleRate, job.settings.blockSize);
    const std::string error = applyChoices(plugin, job.choices, out);
    if (!error.empty()) {
        std::fprintf(err, "vsthost: %s\n", error.c_str());
        return 1;
    }
    plugin.resume();
    hostState().automations.clear();
    EditorWindow window(plugin);
    const std::string problem = window.open(plugin.text(effGetEffectName) + " - vsthost");
    if (!problem.empty()) {
        window.close();
        plugin.suspend();
        std::fprintf(err, "vsthost: %s\n", problem.c_str());
        return 1;
    }
    const auto milliseconds = static_cast<uint32_t>(std::lround(std::clamp(job.seconds, 0.0, 3600.0) * 1000.0));
    window.run(milliseconds);
    const RgbImage image = window.capture();
    window.close();
    plugin.suspend();
    plugin.close();
    if (image.width == 0 || !saveImage(image, job.outputPath)) {
        std::fprintf(err, "vsthost: could not save a picture of the editor to %s\n", job.outputPath.c_str());
        return 1;
    }
    std::fprintf(out, "Saved %s (%d x %d pixels)\n", job.outputPath.c_str(), image.width, image.height);
    const auto changes = hostState().automations.size();
    if (changes > 0) std::fprintf(out, "The editor reported %d parameter changes\n", static_cast<int>(changes));
    return 0;
}

}  // namespace vsthost
