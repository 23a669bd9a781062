#pragma once

// The per-sample arithmetic of StrikeVoice::tick, ModeResonator::tick and
// VibratoOscillator::tick, written once over packs of lanes: D holds the
// lanes as doubles, F (always __m128) as floats. This file has the helpers;
// the kernels are in LaneGroupKernel.h, LaneSoloKernel.h and LaneMix.h. Each
// instruction-set file supplies the pack P and instantiates the templates
// with its own compiler flags; nothing here may be an ordinary inline
// function, which the linker could share between files built for different
// processors.
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
#include <emmintrin.h>
#include <xmmintrin.h>

#include "synth/VoiceLanes.h"

namespace lanekernel {

template <class P>
struct FloatLanes {
    using F = __m128;

    static F add(F a, F b) { return _mm_add_ps(a, b); }
    static F sub(F a, F b) { return _mm_sub_ps(a, b); }
    static F mul(F a, F b) { return _mm_mul_ps(a, b); }
    static F set1(float value) { return _mm_set1_ps(value); }
    static F zero() { return _mm_setzero_ps(); }
    // Ordered comparisons, false for NaN, as in C; notEqual is true for NaN, as != is.
    static F greaterOrEqual(F a, F b) { return _mm_cmpge_ps(a, b); }
    static F less(F a, F b) { return _mm_cmplt_ps(a, b); }
    static F notEqual(F a, F b) { return _mm_cmpneq_ps(a, b); }
    static F both(F a, F b) { return _mm_and_ps(a, b); }
    static F select(F mask, F yes, F no) { return P::selectFloats(mask, yes, no); }
    static bool any(F mask) { return (_mm_movemask_ps(mask) & P::kLaneBits) != 0; }
    static F inRange(F value, F end) { return both(greaterOrEqual(value, zero()), less(value, end)); }

    // Lanes whose state the flush would change: 0 < |s| < 2^-89 and -0. A NaN
    // state is left as it is by the flush (the states here come from
    // arithmetic, so their NaNs are quiet ones).
    static __m128i needsFlush(F state)
    {
        const __m128i bits = _mm_castps_si128(state);
        const __m128i magnitude = _mm_and_si128(bits, _mm_set1_epi32(0x7fffffff));
        const __m128i tiny = _mm_cmpgt_epi32(_mm_set1_epi32(kFlushedBelow), magnitude);
        return _mm_andnot_si128(_mm_cmpeq_epi32(bits, _mm_setzero_si128()), tiny);
    }

    // 2^-89 as float bits: the smallest magnitude the flush leaves unchanged.
    static constexpr int32_t kFlushedBelow = 0x13000000;
};

template <class P>
struct Arithmetic {
    using D = typename P::D;
    using F = __m128;
    using FL = FloatLanes<P>;

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
        const __m128i index = _mm_cvttps_epi32(position);
        D next;
        D rise;
        P::gatherSlopes(slopes, index, next, rise);
        const D fraction = P::fractionOf(position, index);
        return P::add(next, P::mul(fraction, rise));
    }

    // The same where every lane's position is inside the table.
    static D readTableInside(const float* table, F position)
    {
        const __m128i index = _mm_cvttps_epi32(position);
        F current;
        F next;
        P::gatherPair(table, index, current, next);
        const D fraction = P::sub(P::widen(position), P::widenIndex(index));
        const D nextValue = P::widen(next);
        return P::add(nextValue, P::mul(fraction, P::sub(nextValue, P::widen(current))));
    }
};

}  // namespace lanekernel
