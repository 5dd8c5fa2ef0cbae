#pragma once

#include "scene/FrameClock.h"

// The frame clock's tick source on Windows: the high-resolution performance
// counter.
class PerformanceCounterTicks : public TickSource {
public:
    int64_t Frequency() override;
    int64_t Now() override;
};
