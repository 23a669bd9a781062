#pragma once

// The per-sample arithmetic of StrikeVoice::tick, ModeResonator::tick and
// VibratoOscillator::tick, written once over packs of lanes: D holds the
// lanes as doubles, F as floats, I as 32-bit indices. This file has the
// helpers; the kernels are in LaneGroupKernel.h, LaneSoloKernel.h and
// LaneMix.h. Each instruction-set file supplies the pack P (with its float
// operations as P::Floats) and instantiates the templates with its own
// compiler flags; nothing here may be an ordinary inline function, which the
// linker could share between files built for different processors.
//
// Every lane gives the scalar voice's samples bit for bit. Three facts allow
// the shortcuts taken here:
// - float(double(a) op double(b)) equals a op b done in float for + and *
//   (a double has more than twice a float's precision plus two bits: the
//   double rounding is harmless), so sums of floats rounded to float are
//   done in float;
// - the resonator's flush float((s + 1e-18f) - 1e-18f) leaves unchanged
//   every s with |s| >= 2^-89, +0 and every quiet NaN; only tiny states and
//   -0 need it, and it is computed only on samples that meet one;
// - the flush gives the same result applied twice as once, so a state that
//   has been flushed is never flushed again.
// The last two were checked on every float.

#include <cstdint>
#include <cstring>
#include <emmintrin.h>
#include <xmmintrin.h>

#include "synth/lanes/VoiceLanes.h"

namespace lanekernel {

// 2^-89 as float bits: the smallest magnitude the flush leaves unchanged.
constexpr int32_t kFlushedBelow = 0x13000000;

// Float lanes in an __m128, for packs of up to four lanes; P::kLaneBits
// marks the lanes in use.
template <class P>
struct FloatLanes {
    using F = __m128;
    static constexpr int32_t kStride = 4;

    static F add(F a, F b) { return _mm_add_ps(a, b); }
    static F sub(F a, F b) { return _mm_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm_mul_ps(a, b); }
    static F set1(float value) { return _mm_set1_ps(value); }
    static F zero() { return _mm_setzero_ps(); }
    static F load(const float* from) { return _mm_loadu_ps(from); }
    // Built in registers: four scalar stores read back as one vector would
    // wait for the stores to drain.
    static F fromFour(const float (&values)[4]) { return _mm_setr_ps(values[0], values[1], values[2], values[3]); }
    static void store(float* to, F value) { _mm_storeu_ps(to, value); }
    // Ordered comparisons, false for NaN, as in C; notEqual and notLess are
    // true for NaN, as != and !(a < b) are.
    static F greaterOrEqual(F a, F b) { return _mm_cmpge_ps(a, b); }
    static F less(F a, F b) { return _mm_cmplt_ps(a, b); }
    static F notLess(F a, F b) { return _mm_cmpnlt_ps(a, b); }
    static F notEqual(F a, F b) { return _mm_cmpneq_ps(a, b); }
    static F both(F a, F b) { return _mm_and_ps(a, b); }
    static F either(F a, F b) { return _mm_or_ps(a, b); }
    static F select(F mask, F yes, F no) { return P::selectFloats(mask, yes, no); }
    static bool any(F mask) { return (_mm_movemask_ps(mask) & P::kLaneBits) != 0; }
    static bool all(F mask) { return (_mm_movemask_ps(mask) & P::kLaneBits) == P::kLaneBits; }
    static F inRange(F value, F end) { return both(greaterOrEqual(value, zero()), less(value, end)); }

    // Lanes whose state the flush would change: 0 < |s| < 2^-89 and -0. A NaN
    // state is left as it is by the flush (the states here come from
    // arithmetic, so their NaNs are quiet ones).
    static F needsFlush(F state)
    {
        const __m128i bits = _mm_castps_si128(state);
        const __m128i magnitude = _mm_and_si128(bits, _mm_set1_epi32(0x7fffffff));
        const __m128i tiny = _mm_cmpgt_epi32(_mm_set1_epi32(kFlushedBelow), magnitude);
        return _mm_castsi128_ps(_mm_andnot_si128(_mm_cmpeq_epi32(bits, _mm_setzero_si128()), tiny));
    }
};

// The lanes' table indices as integers in memory. Kept there, hidden from
// the optimiser, so that the table reads take them through the load ports
// rather than with one vector-to-integer move each.
template <class P, class I, int32_t kCount>
void storeIndices(I index, int32_t (&at)[kCount])
{
    static_assert(sizeof(I) == sizeof(at));
    std::memcpy(at, &index, sizeof(at));
    __asm__("" : "+m"(at));
}

template <class P>
struct Arithmetic {
    using D = typename P::D;
    using FL = typename P::Floats;
    using F = typename FL::F;

    static D flush(D value, D offset) { return P::widen(P::narrow(P::sub(P::add(value, offset), offset))); }

    // t[i+1] + f * (t[i+1] - t[i]) at position i + f, in double; lanes
    // outside `valid` read position 0.
    static D readTable(const float* table, F position, F valid)
    {
        return readTableInside(table, FL::select(valid, position, FL::zero()));
    }

    // The sine read from its slopes: every lane's position is inside the period.
    static D readSine(const double (*slopes)[2], F position)
    {
        const auto index = P::truncate(position);
        D next;
        D rise;
        P::gatherSlopes(slopes, index, next, rise);
        const D fraction = P::fractionOf(position, index);
        return P::add(next, P::mul(fraction, rise));
    }

    // The same where every lane's position is inside the table.
    static D readTableInside(const float* table, F position)
    {
        const auto index = P::truncate(position);
        F current;
        F next;
        P::gatherPair(table, index, current, next);
        const D fraction = P::sub(P::widen(position), P::widenIndex(index));
        const D nextValue = P::widen(next);
        return P::add(nextValue, P::mul(fraction, P::sub(nextValue, P::widen(current))));
    }
};

}  // namespace lanekernel
