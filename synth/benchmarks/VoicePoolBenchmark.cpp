// Renders one second at 44.1 kHz, in 512-sample blocks through the pool's
// render call as the instrument does, with a given number of ringing voices
// (vibrato on), on each voice engine the processor has.
//
// Measured on the 2-core development machine (AMD EPYC with AVX2, shared
// with other builds; RelWithDebInfo, -O2; CPU time, median of 3):
//   voices  scalar    SSE2             AVX2       (time per voice-sample)
//        0   116 ps    116 ps           120 ps    (per sample: clearing the mix)
//        1  25.8 ns    9.7 ns (2.7x)    9.2 ns (2.8x)
//        8  25.9 ns    7.7 ns (3.4x)    4.3 ns (6.0x)
//       32  25.7 ns    7.7 ns (3.3x)    4.3 ns (6.0x)
// Absolute times move by 10-20% with the load on the machine; the ratios of
// one run hold better. The scalar engine's time is latency: each resonator
// is a chain of dependent double operations, one voice after another. The
// vector engines run four (AVX2) or two (SSE2) voices per instruction and
// are bound by throughput. Of the 4.3 ns with AVX2, the vibrato takes about
// 1.5 (its table read and the conversions its rounding needs), the flush
// test of the states about 1, the mix 0.3, handing the voices to the lanes
// and back 0.1; a lone voice runs its four modes side by side instead.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "synth/VoicePool.h"

namespace {

constexpr int32_t kSampleRate = 44100;
constexpr int32_t kBlockSize = 512;

void setUpPool(VoicePool& pool)
{
    pool.setSampleRate(static_cast<float>(kSampleRate));
    for (int32_t index = 0; index < 19; ++index)
        pool.setParameter(index, 0.5f);
    pool.setParameter(3, 0.2f);   // vibrato depth
    pool.setParameter(18, 1.0f);  // vibrato on, so its cost is counted
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

void ringingVoices(benchmark::State& state)
{
    const auto engine = static_cast<InstructionSet>(state.range(0));
    const auto voiceCount = static_cast<int32_t>(state.range(1));
    VoicePool pool;
    if (pool.useInstructionSet(engine) != engine) {
        state.SkipWithError("engine not available on this processor");
        return;
    }
    state.SetLabel(instructionSetName(engine));
    setUpPool(pool);
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

}  // namespace

BENCHMARK(ringingVoices)
    ->ArgNames({"engine", "voices"})
    ->ArgsProduct({{static_cast<int64_t>(InstructionSet::Scalar), static_cast<int64_t>(InstructionSet::Sse2),
                       static_cast<int64_t>(InstructionSet::Avx2), static_cast<int64_t>(InstructionSet::Avx512)},
        {0, 1, 8, 32}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
