// The voice lanes eight at a time with AVX-512F. This file alone is built
// with it enabled (never FMA: a fused multiply-add rounds once where the voice
// rounds twice) and is only called once the processor has been seen to have
// it and the system to save its registers.
#include <immintrin.h>

// GCC 12's AVX-512 intrinsics start many results from a deliberately
// undefined vector, which its own warning then takes for a mistake.
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include "synth/lanes/kernels/LaneGroupKernel.h"
#include "synth/lanes/kernels/LaneKernelEntries.h"
#include "synth/lanes/kernels/LaneMix.h"

namespace {

// Float lanes in an __m256, eight of them, all in use.
struct EightFloats {
    using F = __m256;
    static constexpr int32_t kStride = 8;

    static F add(F a, F b) { return _mm256_add_ps(a, b); }
    static F sub(F a, F b) { return _mm256_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm256_mul_ps(a, b); }
    static F set1(float value) { return _mm256_set1_ps(value); }
    static F zero() { return _mm256_setzero_ps(); }
    static F load(const float* from) { return _mm256_loadu_ps(from); }
    static void store(float* to, F value) { _mm256_storeu_ps(to, value); }
    static F greaterOrEqual(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_GE_OQ); }
    static F less(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_LT_OQ); }
    static F notLess(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_NLT_UQ); }
    static F notEqual(F a, F b) { return _mm256_cmp_ps(a, b, _CMP_NEQ_UQ); }
    static F both(F a, F b) { return _mm256_and_ps(a, b); }
    static F either(F a, F b) { return _mm256_or_ps(a, b); }
    static F select(F mask, F yes, F no) { return _mm256_blendv_ps(no, yes, mask); }
    static bool any(F mask) { return _mm256_movemask_ps(mask) != 0; }
    static bool all(F mask) { return _mm256_movemask_ps(mask) == 0xff; }
    static F inRange(F value, F end) { return both(greaterOrEqual(value, zero()), less(value, end)); }

    static F needsFlush(F state)
    {
        const __m256i bits = _mm256_castps_si256(state);
        const __m256i magnitude = _mm256_and_si256(bits, _mm256_set1_epi32(0x7fffffff));
        const __m256i tiny = _mm256_cmpgt_epi32(_mm256_set1_epi32(lanekernel::kFlushedBelow), magnitude);
        return _mm256_castsi256_ps(_mm256_andnot_si256(_mm256_cmpeq_epi32(bits, _mm256_setzero_si256()), tiny));
    }
};

struct Avx512Pack {
    using Floats = EightFloats;
    using D = __m512d;
    static constexpr int kWidth = 8;

    static D load(const double* from) { return _mm512_loadu_pd(from); }
    static void store(double* to, D value) { _mm512_storeu_pd(to, value); }
    static D set1(double value) { return _mm512_set1_pd(value); }
    static D zero() { return _mm512_setzero_pd(); }
    static D add(D a, D b) { return _mm512_add_pd(a, b); }
    static D sub(D a, D b) { return _mm512_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm512_mul_pd(a, b); }
    static __m256 narrow(D value) { return _mm512_cvtpd_ps(value); }
    static D widen(__m256 value) { return _mm512_cvtps_pd(value); }
    static __m256i truncate(__m256 position) { return _mm256_cvttps_epi32(position); }
    static D widenIndex(__m256i index) { return _mm512_cvtepi32_pd(index); }

    // t[i] and t[i+1] of each lane in one 64-bit gather, split afterwards.
    static void gatherPair(const float* table, __m256i index, __m256& current, __m256& next)
    {
        const __m512i pairs = _mm512_i32gather_epi64(index, table, 4);
        current = _mm256_castsi256_ps(_mm512_cvtepi64_epi32(pairs));
        next = _mm256_castsi256_ps(_mm512_cvtepi64_epi32(_mm512_srli_epi64(pairs, 32)));
    }

    // position - i, exact in float, so only the difference needs widening.
    static D fractionOf(__m256 position, __m256i)
    {
        return _mm512_cvtps_pd(_mm256_sub_ps(position, _mm256_round_ps(position, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC)));
    }

    // Plain loads, two lanes per 256-bit half: quicker than gathers.
    // Plain loads, two lanes per 256-bit half: quicker than gathers.
    static void gatherSlopes(const double (*slopes)[2], __m256i index, D& next, D& rise)
    {
        int32_t at[8];
        lanekernel::storeIndices<Avx512Pack>(index, at);
        const auto two = [slopes](int32_t i, int32_t j) {
            return _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(slopes[i])), _mm_loadu_pd(slopes[j]), 1);
        };
        const D even = _mm512_insertf64x4(_mm512_castpd256_pd512(two(at[0], at[2])), two(at[4], at[6]), 1);
        const D odd = _mm512_insertf64x4(_mm512_castpd256_pd512(two(at[1], at[3])), two(at[5], at[7]), 1);
        next = _mm512_unpacklo_pd(even, odd);
        rise = _mm512_unpackhi_pd(even, odd);
    }

    // The flush test of EightFloats, two modes per instruction.
    static bool anyNeedsFlush(__m256 a, __m256 b, __m256 c, __m256 d)
    {
        const auto needs = [](__m256 low, __m256 high) {
            const __m512i bits = _mm512_inserti64x4(_mm512_castsi256_si512(_mm256_castps_si256(low)),
                _mm256_castps_si256(high), 1);
            const __m512i magnitude = _mm512_and_si512(bits, _mm512_set1_epi32(0x7fffffff));
            const __mmask16 tiny = _mm512_cmpgt_epi32_mask(_mm512_set1_epi32(lanekernel::kFlushedBelow), magnitude);
            return _mm512_mask_cmpneq_epi32_mask(tiny, bits, _mm512_setzero_si512());
        };
        return _mm512_kor(needs(a, b), needs(c, d)) != 0;
    }

    // Four samples of eight lanes: each lane's go out as one 16-byte store.
    static void storeFour(float* const* outputs, int32_t i, __m256 a, __m256 b, __m256 c, __m256 d)
    {
        const __m256 ab0 = _mm256_unpacklo_ps(a, b);
        const __m256 ab1 = _mm256_unpackhi_ps(a, b);
        const __m256 cd0 = _mm256_unpacklo_ps(c, d);
        const __m256 cd1 = _mm256_unpackhi_ps(c, d);
        // Each holds lane j in its low half and lane j + 4 in its high half.
        const __m256 lanes[4] = {_mm256_shuffle_ps(ab0, cd0, _MM_SHUFFLE(1, 0, 1, 0)),
            _mm256_shuffle_ps(ab0, cd0, _MM_SHUFFLE(3, 2, 3, 2)), _mm256_shuffle_ps(ab1, cd1, _MM_SHUFFLE(1, 0, 1, 0)),
            _mm256_shuffle_ps(ab1, cd1, _MM_SHUFFLE(3, 2, 3, 2))};
        for (int32_t j = 0; j < 4; ++j) {
            _mm_storeu_ps(outputs[j] + i, _mm256_castps256_ps128(lanes[j]));
            _mm_storeu_ps(outputs[j + 4] + i, _mm256_extractf128_ps(lanes[j], 1));
        }
    }

    // The inverse of storeFour.
    static void loadFour(float* const* outputs, int32_t i, __m256& a, __m256& b, __m256& c, __m256& d)
    {
        __m256 lanes[4];
        for (int32_t j = 0; j < 4; ++j)
            lanes[j] = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(outputs[j] + i)),
                _mm_loadu_ps(outputs[j + 4] + i), 1);
        const __m256 low01 = _mm256_unpacklo_ps(lanes[0], lanes[1]);
        const __m256 high01 = _mm256_unpackhi_ps(lanes[0], lanes[1]);
        const __m256 low23 = _mm256_unpacklo_ps(lanes[2], lanes[3]);
        const __m256 high23 = _mm256_unpackhi_ps(lanes[2], lanes[3]);
        a = _mm256_shuffle_ps(low01, low23, _MM_SHUFFLE(1, 0, 1, 0));
        b = _mm256_shuffle_ps(low01, low23, _MM_SHUFFLE(3, 2, 3, 2));
        c = _mm256_shuffle_ps(high01, high23, _MM_SHUFFLE(1, 0, 1, 0));
        d = _mm256_shuffle_ps(high01, high23, _MM_SHUFFLE(3, 2, 3, 2));
    }

    static __m256 loadLanes(float* const* outputs, int32_t i)
    {
        return _mm256_setr_ps(outputs[0][i], outputs[1][i], outputs[2][i], outputs[3][i], outputs[4][i],
            outputs[5][i], outputs[6][i], outputs[7][i]);
    }

    static void storeLanes(float* const* outputs, int32_t i, __m256 samples)
    {
        float each[8];
        _mm256_storeu_ps(each, samples);
        for (int32_t j = 0; j < 8; ++j)
            outputs[j][i] = each[j];
    }
};

ZAV_REALIGN_STACK void renderGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    lanekernel::renderGroup<Avx512Pack>(lanes, first, count, outputs);
}

ZAV_REALIGN_STACK void replayGroup(VoiceLanes& lanes, int32_t first, int32_t count, float* const* outputs)
{
    lanekernel::replayGroup<Avx512Pack>(lanes, first, count, outputs);
}

ZAV_REALIGN_STACK void mixVoice(const float* voice, double leftGain, double rightGain, float* left, float* right,
    int32_t count)
{
    lanekernel::mixVoice<Avx512Pack>(voice, leftGain, rightGain, left, right, count);
}

constexpr WideLaneKernels kKernels{{Avx512Pack::kWidth, renderGroup, replayGroup}, mixVoice};

}  // namespace

const WideLaneKernels& avx512LaneKernels()
{
    return kKernels;
}
