// The voice lanes four at a time with AVX2. This file alone is built with
// AVX2 enabled (never FMA: a fused multiply-add rounds once where the voice
// rounds twice) and is only called once the processor has been seen to have it.
#include <immintrin.h>

#include "synth/lanes/kernels/LaneKernelEntries.h"

namespace {

struct Avx2Pack {
    using Floats = lanekernel::FloatLanes<Avx2Pack>;
    using D = __m256d;
    static constexpr int kWidth = 4;
    static constexpr int kLaneBits = 0xf;

    static D load(const double* from) { return _mm256_loadu_pd(from); }
    static void store(double* to, D value) { _mm256_storeu_pd(to, value); }
    static D set1(double value) { return _mm256_set1_pd(value); }
    static D zero() { return _mm256_setzero_pd(); }
    static D add(D a, D b) { return _mm256_add_pd(a, b); }
    static D sub(D a, D b) { return _mm256_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm256_mul_pd(a, b); }
    static __m128 narrow(D value) { return _mm256_cvtpd_ps(value); }
    static D widen(__m128 value) { return _mm256_cvtps_pd(value); }
    static __m128i truncate(__m128 position) { return _mm_cvttps_epi32(position); }
    static D widenIndex(__m128i index) { return _mm256_cvtepi32_pd(index); }

    // One 64-bit read per lane takes t[i] and t[i+1] together; plain loads
    // are quicker than a gather instruction on the processors measured.
    static void gatherPair(const float* table, __m128i index, __m128& current, __m128& next)
    {
        int32_t at[4];
        lanekernel::storeIndices<Avx2Pack>(index, at);
        const auto pairAt = [table](int32_t i) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(table + i)); };
        const __m128 low = _mm_castsi128_ps(_mm_unpacklo_epi64(pairAt(at[0]), pairAt(at[1])));
        const __m128 high = _mm_castsi128_ps(_mm_unpacklo_epi64(pairAt(at[2]), pairAt(at[3])));
        current = _mm_shuffle_ps(low, high, _MM_SHUFFLE(2, 0, 2, 0));
        next = _mm_shuffle_ps(low, high, _MM_SHUFFLE(3, 1, 3, 1));
    }

    // position - i, exact in float (both lie within one binade's reach), so
    // only the difference needs widening.
    static D fractionOf(__m128 position, __m128i)
    {
        return _mm256_cvtps_pd(_mm_sub_ps(position, _mm_round_ps(position, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC)));
    }

    static void gatherSlopes(const double (*slopes)[2], __m128i index, D& next, D& rise)
    {
        int32_t at[4];
        lanekernel::storeIndices<Avx2Pack>(index, at);
        const D even = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(slopes[at[0]])),
            _mm_loadu_pd(slopes[at[2]]), 1);
        const D odd = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(slopes[at[1]])),
            _mm_loadu_pd(slopes[at[3]]), 1);
        next = _mm256_unpacklo_pd(even, odd);
        rise = _mm256_unpackhi_pd(even, odd);
    }

    // The flush test of lanekernel::FloatLanes, two modes per instruction.
    static bool anyNeedsFlush(__m128 a, __m128 b, __m128 c, __m128 d)
    {
        const auto needs = [](__m128 low, __m128 high) {
            const __m256i bits = _mm256_castps_si256(_mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1));
            const __m256i magnitude = _mm256_and_si256(bits, _mm256_set1_epi32(0x7fffffff));
            const __m256i tiny = _mm256_cmpgt_epi32(
                _mm256_set1_epi32(lanekernel::kFlushedBelow), magnitude);
            return _mm256_andnot_si256(_mm256_cmpeq_epi32(bits, _mm256_setzero_si256()), tiny);
        };
        return _mm256_movemask_ps(_mm256_castsi256_ps(_mm256_or_si256(needs(a, b), needs(c, d)))) != 0;
    }

    // kWidth floats from and to memory.
    static __m128 loadPack(const float* from) { return _mm_loadu_ps(from); }
    static void storePack(float* to, __m128 values) { _mm_storeu_ps(to, values); }

    static __m128 selectFloats(__m128 mask, __m128 yes, __m128 no) { return _mm_blendv_ps(no, yes, mask); }

    // Four samples of four lanes: each lane's go out as one 16-byte store.
    static void storeFour(float* const* outputs, int32_t i, __m128 a, __m128 b, __m128 c, __m128 d)
    {
        _MM_TRANSPOSE4_PS(a, b, c, d);
        _mm_storeu_ps(outputs[0] + i, a);
        _mm_storeu_ps(outputs[1] + i, b);
        _mm_storeu_ps(outputs[2] + i, c);
        _mm_storeu_ps(outputs[3] + i, d);
    }

    // The inverse of storeFour.
    static void loadFour(float* const* outputs, int32_t i, __m128& a, __m128& b, __m128& c, __m128& d)
    {
        a = _mm_loadu_ps(outputs[0] + i);
        b = _mm_loadu_ps(outputs[1] + i);
        c = _mm_loadu_ps(outputs[2] + i);
        d = _mm_loadu_ps(outputs[3] + i);
        _MM_TRANSPOSE4_PS(a, b, c, d);
    }

    static __m128 loadLanes(float* const* outputs, int32_t i)
    {
        return _mm_setr_ps(outputs[0][i], outputs[1][i], outputs[2][i], outputs[3][i]);
    }

    static void storeLanes(float* const* outputs, int32_t i, __m128 samples)
    {
        _mm_store_ss(outputs[0] + i, samples);
        outputs[1][i] = _mm_cvtss_f32(_mm_movehdup_ps(samples));
        outputs[2][i] = _mm_cvtss_f32(_mm_movehl_ps(samples, samples));
        outputs[3][i] = _mm_cvtss_f32(_mm_shuffle_ps(samples, samples, 3));
    }
};

}  // namespace

const LaneKernels& avx2LaneKernels()
{
    return LaneKernelEntries<Avx2Pack>::kernels;
}
