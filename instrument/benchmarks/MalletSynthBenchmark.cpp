// Whole-instrument render cost with all 32 voices ringing (the Vibraphone, so
// the vibrato runs too), with each instruction set the processor has. The
// real-time factor counter is seconds of audio rendered per second of
// processor time; compare the instruction sets within one run.
//
// Measured on the 2-core development machine (Intel Xeon with AVX-512;
// median of 5), real-time factor:
//   frames  scalar  SSE2         AVX2          AVX-512F
//       64    32.5   88 (2.7x)   156 (4.8x)    196 (6.0x)
//      512    32.6   99 (3.0x)   190 (5.8x)    258 (7.9x)
//     4096    32.6   99 (3.0x)   194 (6.0x)    263 (8.1x)
// The same run of the code before the last rework gave 86, 155 and 191 at 64
// frames, 92, 184 and 234 at 512, 92, 178 and 227 at 4096 (median of 5; the
// Vibraphone's modes ring on, so its voices never reach the cycles the lanes
// read, see synth/benchmarks: the gain is the arithmetic's and the longer
// spans'). Of the AVX-512 time at 512 frames, the group kernel takes 76%, the
// mix 11%, handing the voices to the lanes and back about 8%.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "instrument/MalletSynth.h"

namespace {

constexpr float kSampleRate = 44100.0f;

// Laid out as the host's event list, with room for one note per voice.
struct NoteList {
    int32_t numEvents = VoicePool::kSlotCount;
    intptr_t reserved = 0;
    VstEvent* events[VoicePool::kSlotCount] = {};
};

void strikeAllVoices(MalletSynth& synth) {
    VstMidiEvent notes[VoicePool::kSlotCount] = {};
    NoteList list;
    for (int32_t i = 0; i < VoicePool::kSlotCount; ++i) {
        notes[i].type = kVstMidiType;
        notes[i].midiData[0] = 0x90;
        notes[i].midiData[1] = static_cast<unsigned char>(40 + i);
        notes[i].midiData[2] = 100;
        list.events[i] = reinterpret_cast<VstEvent*>(&notes[i]);
    }
    synth.processEvents(reinterpret_cast<VstEvents*>(&list));
}

void BM_RenderThirtyTwoVoices(benchmark::State& state) {
    const auto engine = static_cast<InstructionSet>(state.range(0));
    const auto frames = static_cast<int32_t>(state.range(1));
    if (!instructionSetAvailable(engine)) {
        state.SkipWithError("engine not available on this processor");
        return;
    }
    // The instrument's pool reads its engine from the environment when it is made.
    setenv("ZAV_ENGINE", instructionSetName(engine), 1);
    MalletSynth synth(nullptr);
    unsetenv("ZAV_ENGINE");
    state.SetLabel(instructionSetName(engine));
    synth.setSampleRate(kSampleRate);
    synth.setBlockSize(frames);
    synth.setProgram(1);
    std::vector<float> left(frames), right(frames);
    float* outputs[2] = {left.data(), right.data()};
    int64_t sinceStrike = 0;
    strikeAllVoices(synth);
    for (auto _ : state) {
        // Voices live two seconds after their last strike: strike again each second.
        if (sinceStrike >= static_cast<int64_t>(kSampleRate)) {
            strikeAllVoices(synth);
            sinceStrike = 0;
        }
        synth.processReplacing(nullptr, outputs, frames);
        benchmark::DoNotOptimize(left.data());
        sinceStrike += frames;
    }
    const double seconds = static_cast<double>(state.iterations()) * frames / kSampleRate;
    state.counters["realtime_factor"] = benchmark::Counter(seconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderThirtyTwoVoices)
    ->ArgNames({"engine", "frames"})
    ->ArgsProduct({{static_cast<int64_t>(InstructionSet::Scalar), static_cast<int64_t>(InstructionSet::Sse2),
                       static_cast<int64_t>(InstructionSet::Avx2), static_cast<int64_t>(InstructionSet::Avx512)},
        {64, 512, 4096}});

}  // namespace
