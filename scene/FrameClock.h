#pragma once
#include <cstdint>

// The tick source behind the frame clock: a monotonic counter with a known
// frequency. The default is std::chrono::steady_clock; backends may install
// the platform's own counter, tests a scripted one, the offscreen runner a
// simulated one.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual int64_t Frequency() = 0;  // ticks per second, > 0
    virtual int64_t Now() = 0;
};

// Installs a tick source (not owned) and returns the previous one; null
// restores the default steady clock.
TickSource* SetTickSource(TickSource* source);
TickSource& CurrentTickSource();

// Whole milliseconds in `ticks` counter ticks, truncated toward zero, without
// forming ticks * 1000 (which overflows a nanosecond counter after ~106 days).
int64_t TicksToMilliseconds(int64_t ticks, int64_t frequency);

// Process-wide frame-clock values; one Scene per process, and a second Scene
// continues from what the first left.
struct FrameClock {
    int64_t counterFrequency = 1;
    int64_t counterStart = 0;
    int frameCounter = 0;
    double lastSampleTime = 0.0;
    double fpsAverage = 15.0;
    int redrawCount = 2;
};
extern FrameClock frameClock;

// Back to the values a fresh process starts with (tests, repeated runs).
void ResetFrameClock();
