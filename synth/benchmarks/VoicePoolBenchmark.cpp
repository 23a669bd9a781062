// Renders one second at 44.1 kHz, in 512-sample blocks through the pool's
// render call as the instrument does, with a given number of voices (vibrato
// on), with each instruction set the processor has. Two scenarios: ringing
// (Resonance 0.5, struck again every second), whose modes die away within
// half a second into the cycles their flushed states ring in, and sustained
// (Resonance 1), whose modes ring on at full strength: the arithmetic alone.
//
// Measured on the 2-core development machine (Intel Xeon with AVX-512, about
// 3.5 GHz, 3.3 under 512-bit load; RelWithDebInfo, -O2; CPU time, median of
// 5), time per voice-sample and the ratio to the scalar voices of the run:
//   ringing  scalar   SSE2           AVX2           AVX-512F
//        1  21.2 ns  6.6 ns (3.2x)  5.3 ns (4.0x)  5.3 ns (4.0x)
//        8  20.5 ns  5.5 ns (3.7x)  3.0 ns (6.9x)  2.5 ns (8.0x)
//       32  20.5 ns  5.2 ns (4.0x)  2.8 ns (7.3x)  2.3 ns (9.1x)
//   sustained
//        1  20.4 ns  9.4 ns (2.2x)  7.5 ns (2.7x)  7.5 ns (2.7x)
//        8  21.0 ns  6.6 ns (3.2x)  3.4 ns (6.2x)  2.5 ns (8.4x)
//       32  21.3 ns  6.9 ns (3.1x)  3.4 ns (6.2x)  2.5 ns (8.5x)
// Before the modes' cycles were read (and the rest below), the same run gave
// for 1, 8 and 32 ringing voices 1.8x, 2.6x, 2.5x (SSE2), 2.0x, 4.9x, 4.8x
// (AVX2), 1.9x, 6.8x, 6.5x (AVX-512), and sustained 2.2x, 2.8x, 2.8x;
// 2.7x, 5.6x, 5.4x; 2.7x, 7.4x, 7.1x. Absolute times move by 5-10% from run
// to run; the ratios of one run hold better.
//
// Where it comes from. In the ringing scenario about 53% of the
// voice-samples are voices whose four modes ring in their cycles: read from
// the cycles (lanes/ModeCycles.h), such a voice costs the vibrato, the gains
// and summing its modes: about 1.2 ns a sample against 2.0 ns computed, the
// mix (0.3 ns) aside (AVX-512, from the shares of the profile), and a lone
// one about 2.5 ns against 8; the search for the cycles takes 3% of the
// time. Leaving out the first feed-forward product (0 in every lane) saves 8
// of the group kernel's 110 or so vector micro-operations a sample: 7-8% for
// groups. Spans of 512 samples rather than 256 halve the handing over of
// voices to the lanes and back (6% at 32 voices); the AVX-512 mix, eight
// samples a step, takes a little off the mix beside the wide groups.
//
// What limits the rest. The group kernels are bound by the vector ports:
// per sample and mode the multiplies and adds and the voice's roundings to
// float (the state narrowed and widened, the output narrowed: two
// micro-operations each), the flush test, and the vibrato (a table read per
// lane, its rounding, the modulation: a quarter of the time). AVX-512 has
// twice AVX2's lanes but two vector ports to AVX2's three, at a lower clock.
// At 32 ringing voices on AVX-512 the computed voices take 42% of the time,
// the replayed ones 23% (nearly all of it the vibrato), the mix 12% (each
// voice's samples widened, scaled and rounded into the mix in slot order:
// the rounding after every voice leaves nothing to share), summing the
// modes' cycles 6% and the search 3%: 10x the scalar voices would need the
// mix or the vibrato gone. A lone voice is bound by its recursion (multiply,
// two adds, the float round trip) and the scalar vibrato beside it: rounding
// the state by its bits rather than with the two conversions (with the
// conversions kept as the way out for results outside the normal floats)
// made it slower, 8.7 ns against 7.8 (7.6 without the check), since the
// chain is not all that bounds it. The modes never reach exact silence here: the flush
// keeps them ringing in cycles of tiny values.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "synth/ParameterIndex.h"
#include "synth/VoicePool.h"

namespace {

constexpr int32_t kSampleRate = 44100;
constexpr int32_t kBlockSize = 512;

void setUpPool(VoicePool& pool, float resonance)
{
    pool.setSampleRate(static_cast<float>(kSampleRate));
    for (int32_t index = 0; index < kParameterCount; ++index)
        pool.setParameter(index, 0.5f);
    for (int32_t mode = 0; mode < StrikeVoice::kModeCount; ++mode)
        pool.setParameter(kFirstResonance + mode, resonance);
    pool.setParameter(kVibratoGain, 0.2f);
    pool.setParameter(kVibratoSwitch, 1.0f);  // on, so its cost is counted
}

void renderOneSecond(VoicePool& pool, std::vector<float>& left, std::vector<float>& right)
{
    for (int32_t done = 0; done < kSampleRate; done += kBlockSize) {
        const int32_t count = kSampleRate - done < kBlockSize ? kSampleRate - done : kBlockSize;
        std::fill(left.begin(), left.begin() + count, 0.0f);
        std::fill(right.begin(), right.begin() + count, 0.0f);
        pool.render(left.data(), right.data(), count);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
}

void renderVoices(benchmark::State& state, float resonance)
{
    const auto engine = static_cast<InstructionSet>(state.range(0));
    const auto voiceCount = static_cast<int32_t>(state.range(1));
    VoicePool pool;
    if (pool.useInstructionSet(engine) != engine) {
        state.SkipWithError("engine not available on this processor");
        return;
    }
    state.SetLabel(instructionSetName(engine));
    setUpPool(pool, resonance);
    std::vector<float> left(kBlockSize);
    std::vector<float> right(kBlockSize);
    for (auto _ : state) {
        // Struck again each second so that none reaches its two-second end.
        for (int32_t voice = 0; voice < voiceCount; ++voice)
            pool.noteOn(36 + 2 * voice, 100);
        renderOneSecond(pool, left, right);
    }
    const auto seconds = static_cast<double>(state.iterations());
    state.counters["realtime_factor"] =
        benchmark::Counter(seconds, benchmark::Counter::kIsRate);
    state.counters["time_per_sample"] = benchmark::Counter(
        seconds * kSampleRate, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    if (voiceCount > 0) {
        state.counters["time_per_voice_sample"] = benchmark::Counter(seconds * kSampleRate * voiceCount,
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }
}

// The modes die away from their strike into the range where the resonators
// flush their states, and ring on there in the small cycles that flushing
// leaves, about half of each second.
void ringingVoices(benchmark::State& state)
{
    renderVoices(state, 0.5f);
}

// The modes ring on at full strength from strike to strike: the arithmetic
// alone.
void sustainedVoices(benchmark::State& state)
{
    renderVoices(state, 1.0f);
}

void everyEngine(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"engine", "voices"})
        ->ArgsProduct({{static_cast<int64_t>(InstructionSet::Scalar), static_cast<int64_t>(InstructionSet::Sse2),
                           static_cast<int64_t>(InstructionSet::Avx2), static_cast<int64_t>(InstructionSet::Avx512)},
            {0, 1, 8, 32}})
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(ringingVoices)->Apply(everyEngine);
BENCHMARK(sustainedVoices)->Apply(everyEngine);

BENCHMARK_MAIN();
