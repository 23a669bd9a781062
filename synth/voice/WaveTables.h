#pragma once

#include <cstdint>

// Reads a wave table at a position p = i + f (0 <= p < length - 1) one entry
// ahead: t[i+1] + f * (t[i+1] - t[i]). At f = 0 this is t[i+1], not t[i], and
// the line through t[i] and t[i+1] is extended beyond t[i+1]; this is why each
// table carries one entry past its period.
inline double readTable(const float* table, float position)
{
    const auto index = static_cast<int32_t>(position);
    const double fraction = static_cast<double>(position) - index;
    const double next = table[index + 1];
    return next + fraction * (next - table[index]);
}

// One use of the process-wide strike pulse table: one period of a raised
// cosine over 255 steps, 0 at both ends and 2 at its peak. The table is made
// for its first user and freed with its last, whatever threads they run on.
class StrikePulseTable {
public:
    static constexpr int32_t kLength = 257;

    StrikePulseTable();
    ~StrikePulseTable();
    StrikePulseTable(const StrikePulseTable&) = delete;
    StrikePulseTable& operator=(const StrikePulseTable&) = delete;

    // Null only when the table could not be allocated.
    const float* entries() const { return table; }

    static int32_t useCount();
    static int32_t timesCreated();

private:
    const float* table;
};

// One use of the process-wide sine table: one period over 4096 steps.
class SineTable {
public:
    static constexpr int32_t kLength = 4097;
    static constexpr int32_t kPeriod = 4096;

    SineTable();
    ~SineTable();
    SineTable(const SineTable&) = delete;
    SineTable& operator=(const SineTable&) = delete;

    // Null only when the table could not be allocated.
    const float* entries() const { return table; }

    static int32_t useCount();
    static int32_t timesCreated();

private:
    const float* table;
};
