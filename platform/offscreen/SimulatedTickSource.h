#pragma once

#include <cmath>
#include <cstdint>

#include "scene/FrameClock.h"

// A frame clock that moves only when told: reads 0 while the Scene is built
// and `stepMs` more at each frame. A run that starts late first plays the
// lead-in, every step from 0 up to `startSeconds`, so that each random draw
// and mode flip happens as in a run from 0; its frames then go on from
// `startSeconds`. When `startSeconds` is a whole number of steps the frames
// are exactly those of a run from 0 at the same step.
class SimulatedTickSource : public TickSource {
public:
    static constexpr int64_t kTicksPerSecond = 1000000;  // microseconds
    // The clock stops at ten years of show time.
    static constexpr double kLimitMicros = 10.0 * 366 * 24 * 3600 * 1e6;
    // A clock that stands still (step 0) reaches its start at this step.
    static constexpr double kStandStillLeadInStepMs = 40.0;

    SimulatedTickSource(double startSeconds, double stepMs)
        : startMicros_(Clamp(startSeconds * 1e6)), stepMicros_(stepMs * 1e3),
          leadInStepMicros_(stepMs > 0.0 ? stepMs * 1e3 : kStandStillLeadInStepMs * 1e3)
    {
        // The lead-in is every grid moment before the start.
        const double estimate = std::ceil(static_cast<double>(startMicros_) / leadInStepMicros_);
        leadInFrames_ = estimate > 0.0 ? static_cast<int64_t>(estimate) : 0;
        while (leadInFrames_ > 0 && GridMicros(leadInFrames_ - 1) >= startMicros_)
            --leadInFrames_;
        while (GridMicros(leadInFrames_) < startMicros_)
            ++leadInFrames_;
        onGrid_ = stepMs > 0.0 && GridMicros(leadInFrames_) == startMicros_;
    }

    int64_t Frequency() override { return kTicksPerSecond; }
    int64_t Now() override { return now_; }

    // Frames to render, unwritten, before the first frame at the start.
    int64_t LeadInFrames() const { return leadInFrames_; }

    // Sets the clock for frame `index` of the whole run, lead-in included (0
    // is the first frame).
    void SetFrame(int64_t index)
    {
        if (index < leadInFrames_ || onGrid_)
            now_ = GridMicros(index);
        else
            now_ = Clamp(static_cast<double>(startMicros_)
                         + static_cast<double>(index - leadInFrames_) * stepMicros_);
    }

private:
    static int64_t Clamp(double micros) { return static_cast<int64_t>(std::llround(std::fmin(micros, kLimitMicros))); }
    int64_t GridMicros(int64_t index) const { return Clamp(static_cast<double>(index) * leadInStepMicros_); }

    int64_t startMicros_;
    double stepMicros_;
    double leadInStepMicros_;
    int64_t leadInFrames_ = 0;
    bool onGrid_ = false;
    int64_t now_ = 0;
};
