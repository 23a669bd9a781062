// The voice lanes two at a time with SSE2, which every build may assume.
#include <emmintrin.h>

#include "synth/lanes/kernels/LaneKernelEntries.h"

namespace {

struct Sse2Pack {
    using Floats = lanekernel::FloatLanes<Sse2Pack>;
    using D = __m128d;
    // Floats live in the low two of the four lanes of an __m128.
    static constexpr int kWidth = 2;
    static constexpr int kLaneBits = 0x3;

    static D load(const double* from) { return _mm_loadu_pd(from); }
    static void store(double* to, D value) { _mm_storeu_pd(to, value); }
    static D set1(double value) { return _mm_set1_pd(value); }
    static D zero() { return _mm_setzero_pd(); }
    static D add(D a, D b) { return _mm_add_pd(a, b); }
    static D sub(D a, D b) { return _mm_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm_mul_pd(a, b); }
    static __m128 narrow(D value) { return _mm_cvtpd_ps(value); }
    static D widen(__m128 value) { return _mm_cvtps_pd(value); }
    static __m128i truncate(__m128 position) { return _mm_cvttps_epi32(position); }
    static D widenIndex(__m128i index) { return _mm_cvtepi32_pd(index); }

    // One 64-bit read per lane takes t[i] and t[i+1] together.
    static void gatherPair(const float* table, __m128i index, __m128& current, __m128& next)
    {
        const int32_t i0 = _mm_cvtsi128_si32(index);
        const int32_t i1 = _mm_cvtsi128_si32(_mm_srli_si128(index, 4));
        const __m128 first = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(table + i0)));
        const __m128 second = _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(table + i1)));
        current = _mm_unpacklo_ps(first, second);
        next = _mm_movehl_ps(current, current);
    }

    static D fractionOf(__m128 position, __m128i index) { return _mm_sub_pd(widen(position), widenIndex(index)); }

    static void gatherSlopes(const double (*slopes)[2], __m128i index, D& next, D& rise)
    {
        const D first = _mm_loadu_pd(slopes[_mm_cvtsi128_si32(index)]);
        const D second = _mm_loadu_pd(slopes[_mm_cvtsi128_si32(_mm_srli_si128(index, 4))]);
        next = _mm_unpacklo_pd(first, second);
        rise = _mm_unpackhi_pd(first, second);
    }

    static bool anyNeedsFlush(__m128 a, __m128 b, __m128 c, __m128 d)
    {
        return Floats::any(Floats::either(Floats::either(Floats::needsFlush(a), Floats::needsFlush(b)),
            Floats::either(Floats::needsFlush(c), Floats::needsFlush(d))));
    }

    // kWidth floats from and to memory.
    static __m128 loadPack(const float* from)
    {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(from)));
    }
    static void storePack(float* to, __m128 values) { _mm_storel_pi(reinterpret_cast<__m64*>(to), values); }

    static __m128 selectFloats(__m128 mask, __m128 yes, __m128 no)
    {
        return _mm_or_ps(_mm_and_ps(mask, yes), _mm_andnot_ps(mask, no));
    }

    // Four samples of both lanes: each lane's go out as one 16-byte store.
    static void storeFour(float* const* outputs, int32_t i, __m128 a, __m128 b, __m128 c, __m128 d)
    {
        const __m128 ab = _mm_unpacklo_ps(a, b);
        const __m128 cd = _mm_unpacklo_ps(c, d);
        _mm_storeu_ps(outputs[0] + i, _mm_movelh_ps(ab, cd));
        _mm_storeu_ps(outputs[1] + i, _mm_movehl_ps(cd, ab));
    }

    // The inverse of storeFour.
    static void loadFour(float* const* outputs, int32_t i, __m128& a, __m128& b, __m128& c, __m128& d)
    {
        const __m128 first = _mm_loadu_ps(outputs[0] + i);
        const __m128 second = _mm_loadu_ps(outputs[1] + i);
        a = _mm_unpacklo_ps(first, second);
        b = _mm_movehl_ps(a, a);
        c = _mm_unpackhi_ps(first, second);
        d = _mm_movehl_ps(c, c);
    }

    static __m128 loadLanes(float* const* outputs, int32_t i)
    {
        return _mm_unpacklo_ps(_mm_load_ss(outputs[0] + i), _mm_load_ss(outputs[1] + i));
    }

    static void storeLanes(float* const* outputs, int32_t i, __m128 samples)
    {
        _mm_store_ss(outputs[0] + i, samples);
        _mm_store_ss(outputs[1] + i, _mm_shuffle_ps(samples, samples, 1));
    }

    // Four samples, in two halves: the pack's floats fill only half its doubles.
    static constexpr int32_t kMixWidth = 4;

    static void mixPack(const float* voice, double leftGain, double rightGain, float* left, float* right)
    {
        const __m128 samples = _mm_loadu_ps(voice);
        const D low = _mm_cvtps_pd(samples);
        const D high = _mm_cvtps_pd(_mm_movehl_ps(samples, samples));
        addFour(low, high, _mm_set1_pd(rightGain), right);
        addFour(low, high, _mm_set1_pd(leftGain), left);
    }

    static void addFour(D low, D high, D gain, float* mix)
    {
        const __m128 sums = _mm_loadu_ps(mix);
        const D lowSums = _mm_add_pd(_mm_cvtps_pd(sums), _mm_mul_pd(low, gain));
        const D highSums = _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(sums, sums)), _mm_mul_pd(high, gain));
        _mm_storeu_ps(mix, _mm_movelh_ps(_mm_cvtpd_ps(lowSums), _mm_cvtpd_ps(highSums)));
    }
};

}  // namespace

const LaneKernels& sse2LaneKernels()
{
    return LaneKernelEntries<Sse2Pack>::kernels;
}
