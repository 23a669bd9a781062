#include "tools/vsthost/Commands.h"

#include <algorithm>

#include "tools/vsthost/Choices.h"
#include "tools/vsthost/DemoPhrase.h"
#include "tools/vsthost/MidiFileReader.h"
#include "tools/vsthost/PluginReport.h"
#include "tools/vsthost/PresetTransfer.h"

namespace vsthost {
namespace {

// Progress is worth printing only when a render takes a while.
constexpr double kLongRenderSeconds = 60.0;

class WavSink : public AudioSink {
public:
    explicit WavSink(WavWriter& target) : writer(target) {}
    bool write(const float* const* channels, int32_t frames) override { return writer.write(channels, frames); }

private:
    WavWriter& writer;
};

std::string selectProgram(PluginInstance& plugin, const std::string& program, std::FILE* out) {
    if (program.empty()) return {};
    const auto names = plugin.programNames();
    const Lookup found = findByNumberOrName(program, names, "program");
    if (!found.error.empty()) return found.error;
    plugin.dispatch(effSetProgram, 0, found.index);
    std::fprintf(out, "Program %d: %s\n", found.index, names[static_cast<size_t>(found.index)].c_str());
    return {};
}

std::string setParameters(PluginInstance& plugin, const std::vector<std::string>& settings, std::FILE* out) {
    if (settings.empty()) return {};
    const auto names = plugin.parameterNames();
    for (const std::string& text : settings) {
        const ParsedSetting parsed = parseParameterSetting(text);
        if (!parsed.error.empty()) return parsed.error;
        const Lookup found = findByNumberOrName(parsed.setting.key, names, "parameter");
        if (!found.error.empty()) return found.error;
        plugin.setParameter(found.index, parsed.setting.value);
        std::fprintf(out, "Parameter %d (%s) = %s %s\n", found.index, names[static_cast<size_t>(found.index)].c_str(),
                     plugin.text(effGetParamDisplay, found.index).c_str(),
                     plugin.text(effGetParamLabel, found.index).c_str());
    }
    return {};
}

bool loadSong(const RenderJob& job, MidiSong& song, std::FILE* out, std::FILE* err) {
    if (job.midiPath.empty()) {
        song = demoPhrase();
        std::fprintf(out, "Playing the built-in demo phrase\n");
        return true;
    }
    MidiFileContents contents = readMidiFile(job.midiPath);
    if (!contents.ok()) {
        std::fprintf(err, "vsthost: %s: %s\n", job.midiPath.c_str(), contents.error.c_str());
        return false;
    }
    std::fprintf(out, "Playing %s (format %d, %d tracks, %lld events, %.1f s)\n", job.midiPath.c_str(),
                 contents.format, contents.trackCount, static_cast<long long>(contents.song.messages.size()),
                 contents.song.secondsAt(contents.song.endTime()));
    song = std::move(contents.song);
    return true;
}

ProgressReport progressPrinter(const RenderSettings& settings, int64_t total, std::FILE* out) {
    if (static_cast<double>(total) < kLongRenderSeconds * settings.sampleRate) return {};
    return [out, rate = settings.sampleRate, lastTenth = int64_t{0}](int64_t done, int64_t all) mutable {
        const int64_t tenth = done * 10 / std::max<int64_t>(all, 1);
        if (tenth == lastTenth) return;
        lastTenth = tenth;
        std::fprintf(out, "  %3d%%  %.0f s of %.0f s\n", static_cast<int>(tenth * 10),
                     static_cast<double>(done) / rate, static_cast<double>(all) / rate);
        std::fflush(out);
    };
}

void printSummary(const RenderJob& job, const RenderOutcome& outcome, const WavWriter& writer, int channels,
                  std::FILE* out) {
    const RenderSettings& settings = job.settings;
    std::fprintf(out, "Wrote %s: %.2f s, %d channel%s, %d Hz, %s, blocks of %d%s\n", job.outputPath.c_str(),
                 static_cast<double>(outcome.frames) / settings.sampleRate, channels, channels == 1 ? "" : "s",
                 static_cast<int>(settings.sampleRate),
                 job.format == SampleFormat::Pcm16 ? "16-bit" : "32-bit float", static_cast<int>(settings.blockSize),
                 outcome.accumulated ? " (accumulating)" : "");
    std::fprintf(out, "Peak level: %s\n", outcome.meter.describe().c_str());
    if (writer.clippedSamples() > 0)
        std::fprintf(out, "Warning: %lld samples were too loud for 16 bits and were clipped\n",
                     static_cast<long long>(writer.clippedSamples()));
    if (outcome.meter.nonFiniteSamples() > 0)
        std::fprintf(out, "Warning: the plug-in produced %lld samples that are not numbers\n",
                     static_cast<long long>(outcome.meter.nonFiniteSamples()));
    if (outcome.droppedEvents > 0)
        std::fprintf(out, "Warning: %lld events were lost\n", static_cast<long long>(outcome.droppedEvents));
}

}  // namespace

std::string applyChoices(PluginInstance& plugin, const PluginChoices& choices, std::FILE* out) {
    std::string error = selectProgram(plugin, choices.program, out);
    if (error.empty() && !choices.presetPath.empty()) error = loadPresetFile(plugin, choices.presetPath, out);
    if (error.empty()) error = setParameters(plugin, choices.parameters, out);
    return error;
}

int runInfo(PluginInstance& plugin, std::FILE* out) {
    plugin.open();
    printPluginReport(plugin, out);
    plugin.close();
    return 0;
}

int runRender(PluginInstance& plugin, const RenderJob& job, std::FILE* out, std::FILE* err) {
    MidiSong song;
    if (!loadSong(job, song, out, err)) return 1;
    const RenderSettings& settings = job.settings;
    plugin.open();
    plugin.prepare(settings.sampleRate, settings.blockSize);
    const std::string error = applyChoices(plugin, job.choices, out);
    if (!error.empty()) {
        std::fprintf(err, "vsthost: %s\n", error.c_str());
        return 1;
    }
    const int channels = std::min(plugin.outputCount(), 2);
    WavWriter writer;
    if (channels == 0 || !writer.open(job.outputPath, job.format, channels, settings.sampleRate)) {
        std::fprintf(err, "vsthost: %s\n",
                     channels == 0 ? "the plug-in has no audio outputs" : ("cannot write " + job.outputPath).c_str());
        return 1;
    }
    const auto events = scheduleSong(song, settings.sampleRate);
    WavSink sink(writer);
    const RenderOutcome outcome = renderEvents(plugin, events, settings, channels, sink,
                                               progressPrinter(settings, renderLength(events, settings), out));
    plugin.close();
    if (!writer.close() || outcome.sinkFailed) {
        std::fprintf(err, "vsthost: writing %s failed\n", job.outputPath.c_str());
        return 1;
    }
    printSummary(job, outcome, writer, channels, out);
    return 0;
}

int runPreset(PluginInstance& plugin, const PresetJob& job, std::FILE* out, std::FILE* err) {
    plugin.open();
    std::string error = applyChoices(plugin, job.choices, out);
    if (error.empty()) error = savePresetFile(plugin, job.outputPath, job.asValues, out);
    plugin.close();
    if (error.empty()) return 0;
    std::fprintf(err, "vsthost: %s\n", error.c_str());
    return 1;
}

}  // namespace vsthost
