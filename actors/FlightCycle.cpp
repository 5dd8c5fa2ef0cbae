#include "actors/FlightCycle.h"

#include <cmath>

#include "actors/RandomColor.h"

const FlightPath kCruiserPath = {17.12f, 0.058411210775375366f, 0.070557040781264, 0.09007118974638223, 1};
const FlightPath kMastPath = {20.0f, 0.05f, 0.07591325544127238, 0.058471567720728944, 1};
const FlightPath kLinkerPath = {25.12f, 0.03980891406536102f, 0.058231181283566635, 0.12342129964307054, 0};

namespace {
// The single-precision value of 6.28318, widened.
constexpr double kTurn = 6.283180236816406;
constexpr double kFullTurn = 6.283185307179586;
}  // namespace

FlightCycle::Step FlightCycle::Advance(double time)
{
    Step step{};
    float t = static_cast<float>(time - cycleStart);
    const float limit = path.length + static_cast<float>(2 * reverse);
    if (t > limit) {
        t = t - path.length;
        cycleStart = time - static_cast<double>(t);
        if (reverse == 1)
            reverse = 0;
        else
            reverse = RandomBelow(3.0) == 0 ? 1 : 0;
        step.cycleClosed = true;
    }
    step.position = PositionAt(time, t);
    return step;
}

Vec3 FlightCycle::PositionAt(double time, float t) const
{
    const double turns = time * kTurn;
    // The phase is rounded to single precision, but only within one turn: a
    // float of the whole phase has steps of 0.03 rad after a week of show
    // time and 0.125 rad after a month, and the flyers would move in jerks.
    const double phase = std::fmod(turns * path.xFrequency, kFullTurn);
    const double x = 12.0 * std::sin(static_cast<double>(static_cast<float>(phase)));
    const double y = 9.0 * std::cos(turns * path.yFrequency);
    float u = t * path.rate;
    if (reverse == path.mirroredWhen)
        u = 1.0f - u;
    const float z = 100.0f * u * u - 5.5f;
    return Vec3().Set(static_cast<float>(x), static_cast<float>(y), z);
}

float SpinAngle(double time, double degreesPerSecond)
{
    return static_cast<float>(std::fmod(time * degreesPerSecond, 360.0));
}
