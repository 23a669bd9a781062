#include "synth/voice/ModeResonator.h"

#include <cmath>

namespace {
constexpr float kTwoPi = 6.2831855f;
}

ModeResonator::ModeResonator()
{
    reset();
}

void ModeResonator::reset()
{
    feedback1 = 0.0f;
    feedback2 = 0.0f;
    feedforward1 = 0.0f;
    feedforward2 = 0.0f;
    gain = 1.0f;
    state[0] = 0.0f;
    state[1] = 0.0f;
    output = 0.0f;
}

void ModeResonator::clearState()
{
    state[0] = 0.0f;
    state[1] = 0.0f;
    output = 0.0f;
}

ModeState ModeResonator::snapshot() const
{
    return ModeState{gain, feedback1, feedback2, feedforward1, feedforward2, state[0], state[1], output};
}

void ModeResonator::resume(const ModeState& running)
{
    state[0] = running.state0;
    state[1] = running.state1;
    output = running.output;
}

void ModeResonator::setSampleRate(float hz)
{
    sampleRate = hz;
}

void ModeResonator::tune(float frequency, float radius)
{
    const double angle = static_cast<double>(frequency) * kTwoPi / sampleRate;
    const float newFeedback2 = static_cast<float>(-(static_cast<double>(radius) * radius));
    const float newFeedback1 = static_cast<float>(2.0 * radius * std::cos(angle));
    // A rate of 0 or a NaN or infinite frequency gives no usable angle; the
    // previous pair of coefficients is kept as a whole so the poles stay stable.
    if (!std::isfinite(newFeedback1) || !std::isfinite(newFeedback2))
        return;
    feedback2 = newFeedback2;
    feedback1 = newFeedback1;
}

void ModeResonator::setZeros()
{
    feedforward1 = 0.0f;
    feedforward2 = -1.0f;
}

void ModeResonator::setGain(float g)
{
    gain = g;
}
