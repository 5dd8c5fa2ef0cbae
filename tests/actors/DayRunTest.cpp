// A day of show time in four-second steps (the passer needs steps under five
// seconds: it goes back 100 units per pass): every actor stays on its path, nothing
// becomes NaN, and no display list is created or lost.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tests/actors/ShowFixture.h"

namespace {

class DayRun : public ShowTest {
protected:
    DayRun() : ShowTest(48, 36) {}
};

int CountDisplayLists()
{
    int count = 0;
    for (GLuint name = 1; name < 4096; ++name)
        count += glIsList(name) ? 1 : 0;
    return count;
}

// The largest z a flight cycle reaches when the cycle time can overshoot its
// end (including an inward cycle's 2 extra seconds) by one step.
float FarthestZ(const FlightPath& path, double stepSeconds)
{
    const double u = (path.length + 2.0 + stepSeconds) / path.length;
    return static_cast<float>(100.0 * u * u - 5.5);
}

void ExpectOnFlightPath(const Actor& actor, const FlightPath& path, double stepSeconds, const char* name)
{
    const Vec3& p = actor.position;
    ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << name;
    ASSERT_LE(std::fabs(p.x), 12.0f) << name;
    ASSERT_LE(std::fabs(p.y), 9.0f) << name;
    ASSERT_GE(p.z, -5.5f - 1e-3f) << name;
    ASSERT_LE(p.z, FarthestZ(path, stepSeconds)) << name;
}

// QUILLMOOR_DAY_RUN_HOURS shortens the run where each frame is costly (the
// sanitizer build); a day is the default.
double RunHours()
{
    const char* text = std::getenv("QUILLMOOR_DAY_RUN_HOURS");
    const double hours = text ? std::atof(text) : 24.0;
    return hours > 0.0 && hours <= 24.0 ? hours : 24.0;
}

TEST_F(DayRun, TwentyFourHoursInFourSecondSteps)
{
    constexpr double kStep = 4.0;
    const double endTime = RunHours() * 3600.0;
    RenderAt(0.0);
    const int lists = CountDisplayLists();
    ASSERT_GT(lists, 0);

    for (double time = kStep; time <= endTime; time += kStep) {
        RenderAt(time);
        ExpectOnFlightPath(*cruiser(), kCruiserPath, kStep, "cruiser");
        ExpectOnFlightPath(*mast(), kMastPath, kStep, "mast");
        ExpectOnFlightPath(*linker(), kLinkerPath, kStep, "linker");
        const Vec3& p = passer()->position;
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        ASSERT_LE(p.z, 5.5f);
        ASSERT_GT(p.z, -100.0f);
        ASSERT_NEAR(p.x * p.x / (28.0f * 28.0f) + p.y * p.y / (21.0f * 21.0f), 1.0f, 1e-3f);
    }
    EXPECT_EQ(CountDisplayLists(), lists);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Stars stay in their slab.
    for (const StarPoint& star : starField()->blueStars) {
        EXPECT_GE(star.z, -5.5f);
        EXPECT_LE(star.z, 94.5f);
    }
}

}  // namespace
