// The GL warm-up before the first frame leaves no trace in the picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "actors/LinkerActor.h"
#include "scene/RandomSource.h"
#include "scene/ShowState.h"
#include "tests/actors/ShowFixture.h"

namespace {

struct ShowRun {
    std::vector<uint64_t> frames;  // a hash of each frame's pixels
    int glowFrames = 0;
    int linkFrames = 0;
    int sepiaFrames = 0;
    bool glowSupported = false;
};

uint64_t Fnv1a(const std::vector<uint8_t>& bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

class WarmUpRender : public GlTest {
protected:
    WarmUpRender() : GlTest(128, 96) {}

    // A minute of show in 40 ms steps from a fresh context, seed 7: the
    // linker glows and links at about 9 s, the mode flips at 20 and 40 s.
    ShowRun RunShow(bool warmUp)
    {
        ResetProcessState();
        SetSeedOverride(true, 7);
        SetStageWarmUp(warmUp);
        context = std::make_unique<OffscreenContext>();
        std::string error;
        EXPECT_TRUE(context->Create(width, height, error)) << error;
        ManualTicks ticks;
        SetTickSource(&ticks);
        ShowRun run;
        {
            Scene scene(width, height, 0);
            run.glowSupported = scene.glowSupported;
            for (int frame = 0; frame < 1500; ++frame) {
                ticks.now = frame * 40;
                scene.RenderFrame(0);
                glFinish();
                run.frames.push_back(Fnv1a(context->pixels()));
                const auto* linker = static_cast<const LinkerActor*>(currentDirector->linker());
                run.glowFrames += linker->glowing;
                run.linkFrames += linker->linkToMast || linker->linkToCruiser;
                run.sepiaFrames += sepiaMode;
            }
        }
        SetTickSource(nullptr);
        SetStageWarmUp(true);
        return run;
    }
};

TEST_F(WarmUpRender, EveryFrameOfAMinuteIsTheSameWithAndWithout)
{
    const ShowRun without = RunShow(false);
    const ShowRun with = RunShow(true);
    // The minute has every kind of moment in it.
    EXPECT_GT(with.linkFrames, 0);
    EXPECT_GT(with.sepiaFrames, 0);
    EXPECT_EQ(with.glowFrames > 0, with.glowSupported);
    ASSERT_EQ(with.frames.size(), without.frames.size());
    int differing = 0;
    for (size_t frame = 0; frame < with.frames.size(); ++frame)
        if (with.frames[frame] != without.frames[frame] && ++differing <= 5)
            ADD_FAILURE() << "frame " << frame << " (" << frame * 0.04 << " s) differs";
    EXPECT_EQ(differing, 0);
}

}  // namespace
