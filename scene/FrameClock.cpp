#include "scene/FrameClock.h"

#include <chrono>

namespace {

class SteadyTickSource : public TickSource {
public:
    int64_t Frequency() override
    {
        using Period = std::chrono::steady_clock::period;
        return Period::den / Period::num;
    }
    int64_t Now() override
    {
        return std::chrono::steady_clock::now().time_since_epoch().count();
    }
};

SteadyTickSource steadyTicks;
TickSource* currentTicks = &steadyTicks;

}  // namespace

FrameClock frameClock;

TickSource* SetTickSource(TickSource* source)
{
    TickSource* previous = currentTicks;
    currentTicks = source ? source : &steadyTicks;
    return previous;
}

TickSource& CurrentTickSource()
{
    return *currentTicks;
}

int64_t TicksToMilliseconds(int64_t ticks, int64_t frequency)
{
    if (frequency <= 0)
        return 0;
    // Split into whole seconds and the remainder; both parts truncate toward
    // zero with the same sign, so the sum equals (ticks * 1000) / frequency.
    const int64_t seconds = ticks / frequency;
    const int64_t rest = ticks % frequency;
    const int64_t restMs = frequency <= INT64_MAX / 1000
        ? rest * 1000 / frequency
        : static_cast<int64_t>(static_cast<long double>(rest) * 1000 / frequency);
    return seconds * 1000 + restMs;
}

void ResetFrameClock()
{
    frameClock = FrameClock{};
}
