#pragma once

#include <cmath>
#include <cstdint>

#include "scene/FrameClock.h"

// A frame clock that moves only when told: reads 0 while the Scene is built,
// then `startSeconds` at the first frame and `stepMs` more at each next one,
// so any moment of the show renders exactly and reproducibly.
class SimulatedTickSource : public TickSource {
public:
    static constexpr int64_t kTicksPerSecond = 1000000;  // microseconds
    // The clock stops at ten years of show time.
    static constexpr double kLimitMicros = 10.0 * 366 * 24 * 3600 * 1e6;

    SimulatedTickSource(double startSeconds, double stepMs) : startSeconds_(startSeconds), stepMs_(stepMs) {}

    int64_t Frequency() override { return kTicksPerSecond; }
    int64_t Now() override { return now_; }

    // Sets the clock for frame `index` (0 is the first frame).
    void SetFrame(int64_t index)
    {
        const double micros = startSeconds_ * 1e6 + static_cast<double>(index) * stepMs_ * 1e3;
        now_ = static_cast<int64_t>(std::llround(std::fmin(micros, kLimitMicros)));
    }

private:
    double startSeconds_;
    double stepMs_;
    int64_t now_ = 0;
};
