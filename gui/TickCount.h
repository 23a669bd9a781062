// Milliseconds of the platform's tick count, for throttling idle work; it
// wraps round after 49.7 days, so compare differences only.
#pragma once

#include <cstdint>

uint32_t tickCount();
