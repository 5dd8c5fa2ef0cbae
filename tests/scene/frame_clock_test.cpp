#include <gtest/gtest.h>

#include <cstdint>

#include "scene/FrameClock.h"
#include "scene/Scene.h"
#include "tests/support/FakeTicks.h"
#include "tests/support/GlTest.h"

namespace {

int64_t ExactMilliseconds(int64_t ticks, int64_t frequency)
{
    return static_cast<int64_t>(static_cast<__int128>(ticks) * 1000 / frequency);
}

TEST(TicksToMilliseconds, TruncatesLikeTheDirectProduct)
{
    const int64_t frequencies[] = {1, 1000, 3579545, 10000000, 1000000000, 2400000000LL};
    const int64_t ticks[] = {0, 1, 999, 1000, 1001, 123456789, -1, -1500, 987654321987LL};
    for (int64_t frequency : frequencies)
        for (int64_t t : ticks)
            EXPECT_EQ(TicksToMilliseconds(t, frequency), ExactMilliseconds(t, frequency))
                << t << " ticks at " << frequency << " Hz";
}

TEST(TicksToMilliseconds, NanosecondCounterLastsForYears)
{
    // ticks * 1000 overflows 64 bits after about 106 days of a nanosecond counter.
    const int64_t nanosPerSecond = 1000000000;
    const int64_t tenYears = 10LL * 366 * 24 * 3600 * nanosPerSecond + 123456789;
    EXPECT_EQ(TicksToMilliseconds(tenYears, nanosPerSecond), ExactMilliseconds(tenYears, nanosPerSecond));
    EXPECT_EQ(TicksToMilliseconds(INT64_MAX, nanosPerSecond), ExactMilliseconds(INT64_MAX, nanosPerSecond));
    EXPECT_EQ(TicksToMilliseconds(INT64_MAX, INT64_MAX), 1000);
}

TEST(TicksToMilliseconds, RefusesAZeroFrequency)
{
    EXPECT_EQ(TicksToMilliseconds(5000, 0), 0);
}

class FrameClockTest : public GlTest {};

TEST_F(FrameClockTest, TimeCountsWholeMillisecondsFromConstruction)
{
    FakeTicks ticks(1000000);  // microseconds
    ticks.Set(5000000);
    Scene scene(160, 120, 0);
    EXPECT_EQ(frameClock.counterStart, 5000000);
    EXPECT_EQ(frameClock.counterFrequency, 1000000);

    ticks.Set(5000000 + 1999);
    scene.Tick();
    EXPECT_DOUBLE_EQ(scene.time, 0.001);
    ticks.Set(5000000 + 1999 + 500);  // same millisecond as far as the clock goes
    scene.Tick();
    EXPECT_DOUBLE_EQ(scene.time, 0.002);
    ticks.Set(5000000 + 2999);
    scene.Tick();
    EXPECT_DOUBLE_EQ(scene.time, 0.002);
}

TEST_F(FrameClockTest, AverageStartsAtFifteenAndRefreshesEveryTenthFrame)
{
    FakeTicks ticks(1000);
    Scene scene(160, 120, 0);
    EXPECT_FLOAT_EQ(scene.fps, 10.0f);

    // The first sample spans from construction to the tenth frame: 10 frames
    // in 0.5 s is 20 fps, halved against the initial 15.
    for (int frame = 1; frame <= 9; ++frame) {
        ticks.Set(frame * 50);
        scene.Update();
        EXPECT_FLOAT_EQ(scene.fps, 15.0f) << "frame " << frame;
    }
    ticks.Set(500);
    scene.Update();
    EXPECT_FLOAT_EQ(scene.fps, 17.5f);
    EXPECT_EQ(frameClock.frameCounter, 0);
    EXPECT_DOUBLE_EQ(frameClock.lastSampleTime, 0.5);

    // The next ten frames take 0.25 s: 40 fps, averaged with 17.5.
    for (int frame = 1; frame <= 10; ++frame) {
        ticks.Set(500 + frame * 25);
        scene.Update();
    }
    EXPECT_FLOAT_EQ(scene.fps, 28.75f);
}

TEST_F(FrameClockTest, TenFramesWithinOneMillisecondKeepTheAverage)
{
    FakeTicks ticks(1000);
    Scene scene(160, 120, 0);
    for (int frame = 0; frame < 10; ++frame)
        scene.Update();  // the clock stands still
    EXPECT_FLOAT_EQ(scene.fps, 15.0f);
    for (int frame = 1; frame <= 10; ++frame) {
        ticks.Set(frame * 100);
        scene.Update();
    }
    EXPECT_FLOAT_EQ(scene.fps, 12.5f);
}

TEST_F(FrameClockTest, ClockStateCarriesOverToASecondScene)
{
    FakeTicks ticks(1000);
    {
        Scene first(160, 120, 0);
        for (int frame = 0; frame < 3; ++frame)
            first.RenderFrame(0);
    }
    EXPECT_EQ(frameClock.redrawCount, 0);
    EXPECT_EQ(frameClock.frameCounter, 3);
    Scene second(160, 120, 0);
    second.Tick();
    EXPECT_EQ(frameClock.frameCounter, 4);
}

}  // namespace
