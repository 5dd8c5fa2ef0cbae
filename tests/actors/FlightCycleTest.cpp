#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "actors/FlightCycle.h"
#include "tests/actors/ScriptedRandom.h"

namespace {

// Steps the cycle in `dt` increments from `from` up to `to`, returning the
// largest jump of z between consecutive steps.
float LargestZJump(FlightCycle& cycle, double from, double to, double dt, int* closes = nullptr)
{
    float previous = cycle.Advance(from).position.z;
    float largest = 0.0f;
    for (double time = from + dt; time <= to; time += dt) {
        const FlightCycle::Step step = cycle.Advance(time);
        if (step.cycleClosed && closes)
            ++*closes;
        largest = std::fmax(largest, std::fabs(step.position.z - previous));
        previous = step.position.z;
    }
    return largest;
}

TEST(FlightCycle, OutwardCycleRunsFromEyePlaneToFarPlane)
{
    ScriptedRandom random;
    FlightCycle cycle(kCruiserPath);
    EXPECT_FLOAT_EQ(cycle.Advance(0.0).position.z, -5.5f);
    const FlightCycle::Step end = cycle.Advance(17.12);
    EXPECT_FALSE(end.cycleClosed);
    EXPECT_NEAR(end.position.z, 94.5f, 0.001f);
    EXPECT_EQ(random.draws(), 0);
}

TEST(FlightCycle, OutwardCloseDrawsTheNextDirection)
{
    {
        ScriptedRandom random({10922});
        FlightCycle cycle(kCruiserPath);
        const FlightCycle::Step step = cycle.Advance(17.2);
        EXPECT_TRUE(step.cycleClosed);
        EXPECT_EQ(cycle.reverse, 1);
        EXPECT_EQ(random.draws(), 1);
        // Inward starts where the outward ended, near the far plane.
        EXPECT_NEAR(step.position.z, 100.0f * std::pow(1.0f - 0.08f * kCruiserPath.rate, 2.0f) - 5.5f, 0.01f);
    }
    {
        ScriptedRandom random({10923});
        FlightCycle cycle(kCruiserPath);
        const FlightCycle::Step step = cycle.Advance(17.2);
        EXPECT_TRUE(step.cycleClosed);
        EXPECT_EQ(cycle.reverse, 0);
        EXPECT_NEAR(cycle.cycleStart, 17.12, 1e-5);
        // Outward again: jumps back to the eye plane.
        EXPECT_LT(step.position.z, -5.4f);
    }
}

TEST(FlightCycle, InwardCycleLastsTwoSecondsLongerAndIsNeverRepeated)
{
    ScriptedRandom random({0}, 0);  // every draw would choose inward
    FlightCycle cycle(kCruiserPath);
    ASSERT_TRUE(cycle.Advance(17.13).cycleClosed);
    ASSERT_EQ(cycle.reverse, 1);
    const double inwardStart = cycle.cycleStart;

    EXPECT_FALSE(cycle.Advance(inwardStart + 19.0).cycleClosed);
    const FlightCycle::Step beforeClose = cycle.Advance(inwardStart + 19.12);
    EXPECT_FALSE(beforeClose.cycleClosed);
    EXPECT_NEAR(beforeClose.position.z, -4.14f, 0.02f);

    const int drawsBefore = random.draws();
    const FlightCycle::Step afterClose = cycle.Advance(inwardStart + 19.121);
    EXPECT_TRUE(afterClose.cycleClosed);
    EXPECT_EQ(cycle.reverse, 0);
    EXPECT_EQ(random.draws(), drawsBefore);  // inward -> outward takes no draw
    EXPECT_NEAR(afterClose.position.z, beforeClose.position.z, 0.01f);
    EXPECT_NEAR(afterClose.position.z, -4.14f, 0.02f);
}

TEST(FlightCycle, PathIsContinuousExceptOutwardToOutward)
{
    {
        ScriptedRandom random({}, 0);  // outward, inward, outward, inward, ...
        FlightCycle cycle(kMastPath);
        int closes = 0;
        EXPECT_LT(LargestZJump(cycle, 0.0, 200.0, 0.01, &closes), 0.8f);
        EXPECT_GE(closes, 8);
    }
    {
        ScriptedRandom random({}, 32767);  // always outward again
        FlightCycle cycle(kMastPath);
        EXPECT_GT(LargestZJump(cycle, 0.0, 45.0, 0.01), 99.0f);
    }
}

TEST(FlightCycle, LateUpdateClosesOneCycleAndKeepsTheSurplus)
{
    ScriptedRandom random({}, 32767);
    FlightCycle cycle(kCruiserPath);
    const FlightCycle::Step step = cycle.Advance(40.0);
    EXPECT_TRUE(step.cycleClosed);
    EXPECT_EQ(random.draws(), 1);
    EXPECT_NEAR(40.0 - cycle.cycleStart, 40.0 - 17.12, 1e-4);
    EXPECT_TRUE(cycle.Advance(40.001).cycleClosed);  // the surplus is reduced next time
    EXPECT_FALSE(cycle.Advance(40.002).cycleClosed);
}

TEST(FlightCycle, LinkerMirrorsTheDirectionRule)
{
    ScriptedRandom random({}, 0);
    FlightCycle cycle(kLinkerPath);
    // Its first cycle flies inward from the far plane.
    EXPECT_FLOAT_EQ(cycle.Advance(0.0).position.z, 94.5f);
    EXPECT_NEAR(cycle.Advance(25.12).position.z, -5.5f, 0.001f);
    // Inward -> reverse 1 (outward) is chosen at one chance in three, and meets at the eye plane.
    const FlightCycle::Step out = cycle.Advance(25.13);
    ASSERT_TRUE(out.cycleClosed);
    EXPECT_EQ(cycle.reverse, 1);
    EXPECT_NEAR(out.position.z, -5.5f, 0.01f);
    // The outward cycle carries the 2-second extension and ends near 111 ...
    const double outStart = cycle.cycleStart;
    const FlightCycle::Step far = cycle.Advance(outStart + 27.12);
    EXPECT_FALSE(far.cycleClosed);
    EXPECT_NEAR(far.position.z, 111.0f, 0.5f);
    // ... and the next inward cycle starts near 79.
    const FlightCycle::Step back = cycle.Advance(outStart + 27.125);
    ASSERT_TRUE(back.cycleClosed);
    EXPECT_EQ(cycle.reverse, 0);
    EXPECT_NEAR(back.position.z, 79.0f, 0.5f);
}

TEST(FlightCycle, LissajousDependsOnAbsoluteTimeOnly)
{
    ScriptedRandom random({}, 0);
    FlightCycle a(kCruiserPath);
    FlightCycle b(kCruiserPath);
    b.reverse = 1;
    b.cycleStart = 3.0;
    for (double time = 0.0; time < 600.0; time += 0.37) {
        const Vec3 pa = a.PositionAt(time, 1.0f);
        const Vec3 pb = b.PositionAt(time, 5.0f);
        EXPECT_EQ(pa.x, pb.x);
        EXPECT_EQ(pa.y, pb.y);
        EXPECT_LE(std::fabs(pa.x), 12.0f);
        EXPECT_LE(std::fabs(pa.y), 9.0f);
    }
    EXPECT_FLOAT_EQ(a.PositionAt(0.0, 0.0f).y, 9.0f);
}

TEST(FlightCycle, StaysContinuousAfterYearsOfShowTime)
{
    ScriptedRandom random({}, 32767);  // outward only: one clean start per cycle
    FlightCycle cycle(kCruiserPath);
    const double start = 67108864.0;  // about two years
    cycle.cycleStart = start;
    for (double time = start + 17.0; time < start + 60.0; time += 0.05) {
        const FlightCycle::Step step = cycle.Advance(time);
        if (step.cycleClosed) {
            EXPECT_LT(step.position.z, -5.0f) << "an outward cycle starts at the eye plane";
        }
    }
}

TEST(SpinAngle, KeepsResolutionOverLongRuns)
{
    EXPECT_FLOAT_EQ(SpinAngle(1.0, 50.0), 50.0f);
    EXPECT_FLOAT_EQ(SpinAngle(8.0, 50.0), 40.0f);
    // 100 days in: a 510 degrees-per-second spin still moves by 5.1 degrees in 10 ms.
    const double day100 = 8640000.0;
    EXPECT_NEAR(SpinAngle(day100 + 0.01, 510.0) - SpinAngle(day100, 510.0), 5.1f, 0.01f);
}

}  // namespace

// However long the show has run, x moves smoothly: no step between two
// frames 10 ms apart is larger than the path's top speed allows.
TEST(FlightCycle, SideToSideMotionStaysSmoothForMonths)
{
    for (const FlightPath* path : {&kCruiserPath, &kMastPath, &kLinkerPath}) {
        const double topSpeed = 12.0 * 6.2832 * path->xFrequency;  // units a second
        for (double days : {0.0, 1.0, 7.0, 30.0, 365.0}) {
            FlightCycle cycle(*path);
            const double start = days * 86400.0;
            float previous = cycle.PositionAt(start, 1.0f).x;
            double largest = 0.0;
            for (int step = 1; step <= 300; ++step) {
                const float x = cycle.PositionAt(start + step * 0.01, 1.0f).x;
                largest = std::max(largest, static_cast<double>(std::fabs(x - previous)));
                previous = x;
            }
            EXPECT_LE(largest, topSpeed * 0.01 * 1.01 + 1e-5) << days << " days, fx " << path->xFrequency;
        }
    }
}
