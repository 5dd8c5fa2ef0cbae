#include "platform/win32/PerformanceCounterTicks.h"

#include <windows.h>

int64_t PerformanceCounterTicks::Frequency()
{
    LARGE_INTEGER frequency{};
    // Never fails on Windows XP and later; the frame clock needs a frequency
    // above zero all the same.
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0)
        return 1000;
    return frequency.QuadPart;
}

int64_t PerformanceCounterTicks::Now()
{
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}
