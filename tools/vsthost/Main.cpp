// vsthost: loads a VST 2 plug-in and lists it, plays music through it into a
// WAV file, or photographs its editor.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

#include "tools/vsthost/Commands.h"
#include "tools/vsthost/EditorCommand.h"
#include "tools/vsthost/HostCallback.h"
#include "tools/vsthost/PluginLibrary.h"

namespace vsthost {
namespace {

#ifdef _WIN32
#define ZAV_EXAMPLE "ZAVTOLVEK.dll"
#define ZAV_KIND ".dll"
#else
#define ZAV_EXAMPLE "zavtolvek.so"
#define ZAV_KIND ".so"
#endif

constexpr char kDescription[] =
    "vsthost: a small VST 2 host for the command line.\n"
    "It loads a plug-in (a " ZAV_KIND "), shows what it offers, plays a MIDI file or a\n"
    "built-in demo phrase through it into a WAV file, opens its editor window and\n"
    "saves a picture of it, or saves its sounds as preset files.\n\n"
    "Examples:\n"
    "  vsthost info " ZAV_EXAMPLE "\n"
    "  vsthost render " ZAV_EXAMPLE " -o demo.wav --program Vibraphone\n"
    "  vsthost render " ZAV_EXAMPLE " song.mid -o song.wav --rate 48000 --param \"Stereo Spread=0.5\"\n"
    "  vsthost preset " ZAV_EXAMPLE " -o soft.fxp --program Vibraphone --param \"Stereo Spread=0.25\"\n"
    "  vsthost render " ZAV_EXAMPLE " -o soft.wav --preset soft.fxp\n"
    "  vsthost editor " ZAV_EXAMPLE " -o panel.png --program Marimba\n"
    ;

struct Options {
    std::string plugin;
    bool logCallbacks = false;
    RenderJob render;
    PresetJob preset;
    EditorJob editor;
};

void addChoices(CLI::App& command, PluginChoices& choices) {
    command.add_option("--program", choices.program,
                       "Program (sound) to select first, by number (from 0) or by name, e.g. Vibraphone");
    command.add_option("--preset", choices.presetPath,
                       "Preset file to load: a program (.fxp), into the program --program chooses, or a\n"
                       "whole bank (.fxb), as saved by this host or another; a damaged or foreign file\n"
                       "stops here and changes nothing. --param settings apply after it");
    command.add_option("--param", choices.parameters,
                       "Set a parameter after the program, as NUMBER=VALUE or \"NAME=VALUE\" with VALUE\n"
                       "from 0 to 1; repeat for several, e.g. --param 5=0.3 --param \"Strike Gain=0.8\"");
}

void addPlugin(CLI::App& command, Options& options) {
    command.add_option("plugin", options.plugin, "The plug-in file (.dll on Windows, .so on Linux)")->required();
}

void addRender(CLI::App& app, Options& options) {
    auto* render = app.add_subcommand("render", "Play a MIDI file, or the built-in demo phrase, into a WAV file");
    RenderJob& job = options.render;
    addPlugin(*render, options);
    render->add_option("midi", job.midiPath,
                       "Standard MIDI File to play (format 0 or 1); leave out to hear the demo phrase");
    render->add_option("-o,--output", job.outputPath, "WAV file to write")->required();
    render->add_option("--rate", job.settings.sampleRate, "Sample rate in Hz")
        ->capture_default_str()
        ->check(CLI::Range(8000, 384000));
    render->add_option("--block", job.settings.blockSize, "Frames the plug-in renders per call (block size)")
        ->capture_default_str()
        ->check(CLI::Range(1, 65536));
    render->add_option("--tail", job.settings.tailSeconds,
                       "Seconds to keep recording after the last note, so it can ring out")
        ->capture_default_str()
        ->check(CLI::Range(0.0, 600.0));
    render->add_flag_function(
        "--float", [&job](int64_t) { job.format = SampleFormat::Float32; },
        "Write 32-bit float samples instead of 16-bit (nothing is clipped)");
    render->add_flag("--accumulate", job.settings.accumulate,
                     "Use the plug-in's adding process call into cleared buffers instead of processReplacing");
    addChoices(*render, job.choices);
}

void addPreset(CLI::App& app, Options& options) {
    auto* preset = app.add_subcommand("preset", "Save the plug-in's current program (.fxp) or all its programs (.fxb)");
    PresetJob& job = options.preset;
    addPlugin(*preset, options);
    preset->add_option("-o,--output", job.outputPath,
                       "Preset file to write: name.fxp for the current program, name.fxb for the bank")
        ->required();
    preset->add_flag("--values", job.asValues,
                     "Write parameter values, not the plug-in's own chunk (it is used when the plug-in has one)");
    addChoices(*preset, job.choices);
}

void addEditor(CLI::App& app, Options& options) {
    auto* editor = app.add_subcommand("editor", "Open the plug-in's editor in a window and save a picture of it");
    EditorJob& job = options.editor;
    addPlugin(*editor, options);
    editor->add_option("-o,--output", job.outputPath, "Picture to write: name.png or name.bmp")->required();
    editor->add_option("--seconds", job.seconds, "How long to show the editor before the picture is taken")
        ->capture_default_str()
        ->check(CLI::Range(0.0, 3600.0));
    addChoices(*editor, job.choices);
}

int runCommand(const CLI::App& app, Options& options) {
    hostState().log = options.logCallbacks ? stderr : nullptr;
    PluginLibrary library;
    const std::string problem = library.load(options.plugin);
    if (!problem.empty()) {
        std::fprintf(stderr, "vsthost: %s\n", problem.c_str());
        return 1;
    }
    AEffect* effect = library.instantiate(hostCallback);
    if (effect == nullptr) {
        std::fprintf(stderr, "vsthost: %s did not start (its entry point gave no plug-in)\n", options.plugin.c_str());
        return 1;
    }
    PluginInstance plugin(effect);
    if (app.got_subcommand("render")) return runRender(plugin, options.render, stdout, stderr);
    if (app.got_subcommand("preset")) return runPreset(plugin, options.preset, stdout, stderr);
    if (app.got_subcommand("editor")) return runEditor(plugin, options.editor, stdout, stderr);
    std::fprintf(stdout, "Plug-in:         %s\n", options.plugin.c_str());
    return runInfo(plugin, stdout);
}

int run(int argc, char** argv) {
    CLI::App app(kDescription, "vsthost");
    app.set_version_flag("--version", "vsthost " ZAV_VERSION, "Print the version of zavTolvek this host comes with");
    app.require_subcommand(1);
    app.fallthrough();
    Options options;
    app.add_flag("--log-callbacks", options.logCallbacks, "Print every call the plug-in makes to the host");
    auto* info = app.add_subcommand("info", "List what the plug-in says about itself: name, programs, parameters");
    addPlugin(*info, options);
    addRender(app, options);
    addPreset(app, options);
    addEditor(app, options);
    CLI11_PARSE(app, argc, argv);
    const int status = runCommand(app, options);
    std::fflush(stdout);
    return status;
}

}  // namespace
}  // namespace vsthost

int main(int argc, char** argv) {
    try {
        return vsthost::run(argc, argv);
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "vsthost: %s\n", problem.what());
    } catch (...) {
        std::fprintf(stderr, "vsthost: unexpected failure\n");
    }
    return 1;
}
