#pragma once
#include <cstdint>

// The saver window's clock on Linux: CLOCK_MONOTONIC in milliseconds,
// wrapping at 2^32 as a tick count does, and a pause of whole milliseconds.
uint32_t MonotonicMilliseconds();
void SleepMilliseconds(unsigned milliseconds);
