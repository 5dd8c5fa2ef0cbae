#pragma once

#include "actors/Actor.h"

// The looping path the cruiser, mast and linker fly: x and y trace a
// Lissajous figure of half-widths 12 and 9 driven by the absolute show time,
// while z runs along the current cycle, 100 u^2 - 5.5 with u = t / L, from the
// eye plane (-5.5) to the far plane (94.5) or back.
struct FlightPath {
    float length;          // L, seconds per cycle
    float rate;            // k, the single-precision 1 / L
    double xFrequency;     // fx
    double yFrequency;     // fy
    // u is mirrored (u = 1 - u) when `reverse` equals this value: 1 for the
    // cruiser and mast (reverse = inward), 0 for the linker (reverse = outward).
    int mirroredWhen;
};

class FlightCycle {
public:
    explicit FlightCycle(const FlightPath& path) : path(path) {}

    struct Step {
        Vec3 position;
        bool cycleClosed;  // the owner restyles when set
    };

    // Advances to `time` (scene seconds): closes at most one cycle (a cycle
    // with reverse = 1 lasts 2 s longer), choosing the next direction, and
    // gives the position at that time.
    Step Advance(double time);

    // Position for show time `time` and cycle time `t` in the current cycle.
    Vec3 PositionAt(double time, float t) const;

    const FlightPath path;
    // Kept in double: a float start loses whole seconds after months of show
    // time, which would make the flyers jump at every cycle change.
    double cycleStart = 0.0;
    int reverse = 0;
};

// The three flyers' paths.
extern const FlightPath kCruiserPath;
extern const FlightPath kMastPath;
extern const FlightPath kLinkerPath;

// A spin angle of `degreesPerSecond` at `time`, reduced to [0, 360) in double
// precision so that it keeps its resolution however long the show runs.
float SpinAngle(double time, double degreesPerSecond);
