// Renders one second at 44.1 kHz, in 512-sample blocks through the pool's
// render call as the instrument does, with a given number of ringing voices
// (vibrato on), with each instruction set the processor has.
//
// Measured on the 2-core development machine (Intel Xeon with AVX-512, about
// 3.5 GHz, 3.3 under 512-bit load; shared with other builds; RelWithDebInfo,
// -O2; CPU time, median of 3), time per voice-sample:
//   voices  scalar   SSE2            AVX2            AVX-512F
//        1  20.0 ns  11.6 ns (1.7x)  10.5 ns (1.9x)  10.6 ns (1.9x)
//        8  19.9 ns   8.2 ns (2.4x)   4.3 ns (4.6x)   3.0 ns (6.6x)
//       32  19.7 ns   8.0 ns (2.5x)   4.3 ns (4.5x)   3.1-3.3 ns (6.1-6.4x)
// With no voice a sample costs about 0.1 ns (clearing the mix). Absolute
// times move by 10-20% with the load on the machine; the ratios of one run
// hold better. The scalar voice's time is latency: each resonator is a chain
// of dependent double operations. The lanes run two, four or eight voices per
// instruction and are bound by throughput: per sample and mode the voice's
// rounding to float takes three conversions (the state narrowed and widened
// again, the output narrowed), which cost two micro-operations each on the
// vector ports, as much as the arithmetic itself; the vibrato (a table read
// per lane, its rounding, the modulation) costs a quarter of the time, the
// flush test of the states and the mix about a tenth each. AVX-512 has twice
// AVX2's lanes but two vector ports to AVX2's three, at a clock about 8%
// lower: 1.35x AVX2; two groups of eight interleaved in one kernel were no
// faster, nor did flushing denormals to zero change anything. A lone voice
// runs its four modes side by side; its recursion (multiply, two adds, a
// float round trip of 13 cycles) is about 20 cycles a sample, yet it takes
// about 36: the scalar vibrato and the sum of the modes, whose conversions
// share those ports, take most of the rest. Here the modes also decay through
// the range where the flush changes a state (2^-112 to 2^-89), on whose
// samples the flush test's branch turns irregular: with modes that ring on
// (Resonance 1) the lone voice takes 8 ns (2.5x) and the groups 10% less.
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
