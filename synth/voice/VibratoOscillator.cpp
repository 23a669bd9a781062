#include "synth/voice/VibratoOscillator.h"

#include <cfloat>
#include <cmath>

void VibratoOscillator::setSampleRate(float hz)
{
    sampleRate = hz;
}

void VibratoOscillator::setRate(float hz)
{
    const double perSample = SineTable::kPeriod / static_cast<double>(sampleRate) * hz;
    // A rate of 0 or a non-finite setting would leave no usable increment; the
    // oscillator then stands still rather than emitting NaN.
    increment = std::fabs(perSample) <= FLT_MAX ? static_cast<float>(perSample) : 0.0f;
}

void VibratoOscillator::recoverPhase()
{
    // Reached only with a negative rate (the phase then runs backwards and
    // wraps upwards) or an increment of a period or more.
    if (phase < 0.0f)
        phase = static_cast<float>(static_cast<double>(phase) + SineTable::kPeriod);
    if (!(phase >= 0.0f && phase < static_cast<float>(SineTable::kPeriod)))
        phase = 0.0f;
}
