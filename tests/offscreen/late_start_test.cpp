#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/offscreen/OffscreenRun.h"
#include "platform/offscreen/SimulatedTickSource.h"
#include "scene/Gl.h"
#include "tests/support/GlTest.h"

namespace {

TEST(SimulatedClock, LeadsInOverEveryStepBeforeTheStart)
{
    struct Case {
        double startSeconds, stepMs;
        int64_t leadIn, firstMicros, secondMicros;
    };
    const Case cases[] = {
        {0.0, 40.0, 0, 0, 40000},               // from the beginning: no lead-in
        {45.0, 2500.0, 18, 45000000, 47500000},  // on the grid
        {0.0999, 33.3, 3, 99900, 133200},        // on the grid of a fractional step
        {0.1, 40.0, 3, 100000, 140000},          // between two steps: 0, 40, 80 ms lead in
        {1.0, 0.0, 25, 1000000, 1000000},        // a clock that stands still gets there at 40 ms
        {0.0, 0.0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SimulatedTickSource clock(c.startSeconds, c.stepMs);
        EXPECT_EQ(clock.LeadInFrames(), c.leadIn) << c.startSeconds << " " << c.stepMs;
        if (c.leadIn > 0) {
            clock.SetFrame(c.leadIn - 1);
            EXPECT_LT(clock.Now(), c.firstMicros);
        }
        clock.SetFrame(c.leadIn);
        EXPECT_EQ(clock.Now(), c.firstMicros) << c.startSeconds << " " << c.stepMs;
        clock.SetFrame(c.leadIn + 1);
        EXPECT_EQ(clock.Now(), c.secondMicros) << c.startSeconds << " " << c.stepMs;
    }
    // A day at 40 ms is the longest lead-in; one step more is not taken.
    EXPECT_TRUE(SimulatedTickSource(86400.0, 40.0).LeadInFits());
    EXPECT_EQ(SimulatedTickSource(86400.0, 40.0).LeadInFrames(), SimulatedTickSource::kMaxLeadInFrames);
    for (const double step : {1e-300, 0.0399})
        EXPECT_FALSE(SimulatedTickSource(86400.0, step).LeadInFits()) << step;
}

class LateStartTest : public GlTest {
protected:
    LateStartTest() : GlTest(64, 48) {}

    // The frames of a run in a context of its own, as a process has it.
    std::vector<std::vector<uint8_t>> Render(double startSeconds, int frames)
    {
        OffscreenContext own;
        std::string error;
        EXPECT_TRUE(own.Create(width, height, error)) << error;
        OffscreenOptions options;
        options.width = width;
        options.height = height;
        options.frames = frames;
        options.writeImages = false;
        options.seedGiven = true;
        options.seed = 7;
        options.simulatedClock = true;
        options.startSeconds = startSeconds;
        options.stepMs = kStepMs;
        std::vector<std::vector<uint8_t>> pictures;
        EXPECT_TRUE(RenderShowFrames(options, [&](int) {
            glFinish();
            pictures.push_back(own.pixels());
            return true;
        }));
        return pictures;
    }

    static constexpr double kStepMs = 2500.0;
};

TEST_F(LateStartTest, FramesFromALateStartAreThoseOfARunFromTheBeginning)
{
    // 45 s: after two mode flips; 85 s: four flips, sepia; 300 s: fifteen.
    const double starts[] = {45.0, 85.0, 300.0};
    const auto continuous = Render(0.0, static_cast<int>(300.0 * 1000 / kStepMs) + 2);
    for (double start : starts) {
        const auto late = Render(start, 2);
        ASSERT_EQ(late.size(), 2u);
        const size_t index = static_cast<size_t>(start * 1000 / kStepMs);
        EXPECT_TRUE(late[0] == continuous[index]) << "frame at " << start << " s";
        EXPECT_TRUE(late[1] == continuous[index + 1]) << "frame after " << start << " s";
    }
    // The frames differ over time, so equal pictures are not all alike.
    EXPECT_FALSE(continuous[18] == continuous[34]);
}

}  // namespace
