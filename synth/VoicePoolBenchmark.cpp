// Renders one second at 44.1 kHz, in 512-sample blocks over all 32 slots as
// the instrument does, with a given number of ringing voices.
//
// Measured on the 2-core development machine (RelWithDebInfo, -O2, other
// builds running; CPU time, median of 3):
//   voices  time/voice-sample  real-time factor
//        0         -              ~79000
//        1      26.6 ns              853
//        8      26.4 ns              107
//       32      26.3 ns               27
// A voice costs the same alone or among 32: each resonator's recursion is a
// chain of dependent double operations, so the time is latency, not
// arithmetic; idle slots cost next to nothing.
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
    const auto engine = static_cast<VoiceEngine>(state.range(0));
    const auto voiceCount = static_cast<int32_t>(state.range(1));
    VoicePool pool;
    if (pool.useEngine(engine) != engine) {
        state.SkipWithError("engine not available on this processor");
        return;
    }
    state.SetLabel(voiceEngineName(engine));
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
    ->ArgsProduct({{static_cast<int64_t>(VoiceEngine::Scalar), static_cast<int64_t>(VoiceEngine::Sse2),
                       static_cast<int64_t>(VoiceEngine::Avx2)},
        {0, 1, 8, 32}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
