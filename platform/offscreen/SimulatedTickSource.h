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
    // The longest lead-in a run takes: a day of show at the 40 ms step.
    static constexpr int64_t kMaxLeadInFrames = 2160000;

    // About how many frames lead in to `startSeconds` at `stepMs` (within
    // one); a double, so that no pair of inputs overflows it.
    static double LeadInEstimate(double startSeconds, double stepMs)
    {
        return std::ceil(static_cast<double>(Clamp(startSeconds * 1e6)) / LeadInStepMicros(stepMs));
    }

    SimulatedTickSource(double startSeconds, double stepMs)
        : startMicros_(Clamp(startSeconds * 1e6)), stepMicros_(stepMs * 1e3), leadInStepMicros_(LeadInStepMicros(stepMs))
    {
        // The lead-in is every grid moment before the start. One longer than
        // the limit is not taken: the clock then starts at 0 and says so.
        const double estimate = LeadInEstimate(startSeconds, stepMs);
        if (!(estimate <= static_cast<double>(kMaxLeadInFrames))) {
            leadInFits_ = false;
            startMicros_ = 0;
            return;
        }
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
    // False when the lead-in would pass kMaxLeadInFrames (the clock then runs from 0).
    bool LeadInFits() const { return leadInFits_; }

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
    static double LeadInStepMicros(double stepMs) { return (stepMs > 0.0 ? stepMs : kStandStillLeadInStepMs) * 1e3; }
    static int64_t Clamp(double micros)
    {
        return micros > 0.0 ? static_cast<int64_t>(std::llround(std::fmin(micros, kLimitMicros))) : 0;
    }
    int64_t GridMicros(int64_t index) const { return Clamp(static_cast<double>(index) * leadInStepMicros_); }

    int64_t startMicros_;
    double stepMicros_;
    double leadInStepMicros_;
    int64_t leadInFrames_ = 0;
    bool leadInFits_ = true;
    bool onGrid_ = false;
    int64_t now_ = 0;
};
