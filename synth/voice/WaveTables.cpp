#include "synth/voice/WaveTables.h"

#include <cmath>
#include <mutex>
#include <new>

namespace {

// Hosts create and delete instances from several threads at once, so the use
// count is guarded; only constructors and destructors take the lock.
struct SharedTable {
    std::mutex guard;
    float* entries = nullptr;
    int32_t uses = 0;
    int32_t creations = 0;
};

SharedTable pulseShared;
SharedTable sineShared;

void fillStrikePulse(float* table)
{
    constexpr double kTwoPi = 6.28318;
    constexpr double kStep = 0.00392156862745098;  // 1/255
    for (int32_t i = 0; i < 256; ++i)
        table[i] = static_cast<float>(1.0 - std::cos(i * kTwoPi * kStep));
    table[256] = table[0];
}

void fillSine(float* table)
{
    constexpr float kTwoPi = 6.2831855f;
    for (int32_t i = 0; i < SineTable::kLength; ++i)
        table[i] = static_cast<float>(std::sin(static_cast<double>(kTwoPi) * i / SineTable::kPeriod));
}

const float* acquire(SharedTable& shared, int32_t length, void (*fill)(float*))
{
    std::lock_guard<std::mutex> lock(shared.guard);
    if (shared.uses == 0) {
        shared.entries = new (std::nothrow) float[length];
        if (shared.entries == nullptr)
            return nullptr;
        fill(shared.entries);
        ++shared.creations;
    }
    ++shared.uses;
    return shared.entries;
}

void release(SharedTable& shared, const float* table)
{
    if (table == nullptr)
        return;
    std::lock_guard<std::mutex> lock(shared.guard);
    if (--shared.uses == 0) {
        delete[] shared.entries;
        shared.entries = nullptr;
    }
}

int32_t usesOf(SharedTable& shared)
{
    std::lock_guard<std::mutex> lock(shared.guard);
    return shared.uses;
}

int32_t creationsOf(SharedTable& shared)
{
    std::lock_guard<std::mutex> lock(shared.guard);
    return shared.creations;
}

}  // namespace

StrikePulseTable::StrikePulseTable() : table(acquire(pulseShared, kLength, fillStrikePulse)) {}

StrikePulseTable::~StrikePulseTable()
{
    release(pulseShared, table);
}

int32_t StrikePulseTable::useCount()
{
    return usesOf(pulseShared);
}

int32_t StrikePulseTable::timesCreated()
{
    return creationsOf(pulseShared);
}

SineTable::SineTable() : table(acquire(sineShared, kLength, fillSine)) {}

SineTable::~SineTable()
{
    release(sineShared, table);
}

int32_t SineTable::useCount()
{
    return usesOf(sineShared);
}

int32_t SineTable::timesCreated()
{
    return creationsOf(sineShared);
}
