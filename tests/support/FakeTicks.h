#pragma once

#include <cstdint>

#include "scene/FrameClock.h"

// A counter the test moves by hand; installed for the test's lifetime.
class FakeTicks : public TickSource {
public:
    explicit FakeTicks(int64_t frequency = 1000) : frequency_(frequency) { previous_ = SetTickSource(this); }
    ~FakeTicks() override { SetTickSource(previous_); }

    int64_t Frequency() override { return frequency_; }
    int64_t Now() override { return now_; }

    void Set(int64_t ticks) { now_ = ticks; }
    void SetSeconds(double seconds) { now_ = static_cast<int64_t>(seconds * static_cast<double>(frequency_)); }

private:
    int64_t frequency_;
    int64_t now_ = 0;
    TickSource* previous_ = nullptr;
};
