// Writes the reference MIDI file and renders it through the instrument in
// this process, with the host's own render code, into a float WAV file.
#include <cstdio>
#include <new>
#include <string>

#include "host/PluginEntry.h"
#include "instrument/MalletSynth.h"
#include "tests/tools/vsthost/ReferenceRender.h"
#include "tools/vsthost/Commands.h"
#include "tools/vsthost/HostCallback.h"

EffectBase* createPlugin(audioMasterCallback hostCallback) {
    return new (std::nothrow) MalletSynth(hostCallback);
}

int main(int argc, char** argv) {
    using namespace vsthost;
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_reference OUTPUT-FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const auto song = reference::referenceSong();
    const std::string midiPath = folder + "/" + reference::kMidiFile;
    std::FILE* midi = std::fopen(midiPath.c_str(), "wb");
    if (midi == nullptr || std::fwrite(song.data(), 1, song.size(), midi) != song.size() || std::fclose(midi) != 0) {
        std::fprintf(stderr, "render_reference: cannot write %s\n", midiPath.c_str());
        return 1;
    }
    AEffect* effect = pluginMain(hostCallback);
    if (effect == nullptr) return 1;
    PluginInstance plugin(effect);
    RenderJob job;
    job.midiPath = midiPath;
    job.outputPath = folder + "/" + reference::kWavFile;
    job.format = SampleFormat::Float32;
    job.settings.sampleRate = reference::kSampleRate;
    job.settings.blockSize = reference::kBlockSize;
    job.settings.tailSeconds = reference::kTailSeconds;
    job.choices.program = reference::kProgram;
    for (const char* setting : reference::kParameters) job.choices.parameters.emplace_back(setting);
    return runRender(plugin, job, stdout, stderr);
}
