#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "actors/StarField.h"
#include "scene/ShowState.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "tests/actors/ScriptedRandom.h"
#include "tests/support/GlTest.h"

namespace {

class StarFieldTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        scene = std::make_unique<Scene>(width, height, 0);
    }
    void TearDown() override
    {
        scene.reset();
        GlTest::TearDown();
    }

    // Identity matrices: gluProject then maps x = -1..1 to window x 0..width
    // and y = -1..1 to 0..height exactly.
    void UseIdentityView()
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    std::unique_ptr<Scene> scene;
};

constexpr int kDrawsPerStar = 6;

TEST_F(StarFieldTest, ConstructionDrawsPositionThenColourInOrder)
{
    ScriptedRandom random({0, 0, 0, 32767, 0, 16384});
    const int driftStart = (StarField::kBlueStars + StarField::kWarmStars) * kDrawsPerStar;
    for (int i = kDrawsPerStar; i < driftStart; ++i)
        random.Push({0});
    random.Push({32767, 0, 16384});
    StarField field(scene.get());

    // Blue star colour: red from the second draw, green from the first, blue from the third.
    EXPECT_FLOAT_EQ(field.blueStars[0].red, 0.5f);
    EXPECT_NEAR(field.blueStars[0].green, 1.0f, 1e-6);
    EXPECT_NEAR(field.blueStars[0].blue, 0.95f, 1e-4);
    // Drift points never move in colour mode, so they keep their start.
    EXPECT_NEAR(field.driftPoints[0].x, 16.0f, 1e-3);
    EXPECT_FLOAT_EQ(field.driftPoints[0].y, -12.0f);
    EXPECT_FLOAT_EQ(field.driftPoints[0].z, 5.0f);
    EXPECT_NEAR(field.driftPoints[0].red, 0.85f, 1e-4);
    EXPECT_EQ(field.driftPoints[0].red, field.driftPoints[0].blue);
    EXPECT_EQ(field.speckCount, 0);
    EXPECT_EQ(field.blotchCount, 0);
}

TEST_F(StarFieldTest, WarmUpLeavesEveryStarInsideTheFrustumSlab)
{
    StarField field(scene.get());
    auto check = [](const StarPoint* points, int count) {
        for (int i = 0; i < count; ++i) {
            EXPECT_GE(points[i].z, -5.5f);
            EXPECT_LE(points[i].z, 94.5f);
            EXPECT_LE(std::fabs(points[i].x), 120.0f);
            EXPECT_LE(std::fabs(points[i].y), 90.0f);
        }
    };
    check(field.blueStars, StarField::kBlueStars);
    check(field.warmStars, StarField::kWarmStars);
    check(field.dimStars, StarField::kDimStars);
}

TEST_F(StarFieldTest, StarPassingTheEyePlaneIsRecycledToTheFarPlane)
{
    StarField field(scene.get());
    UseIdentityView();
    scene->fps = 10.0f;  // 2 units per update
    for (StarPoint& point : field.blueStars)
        point = StarPoint{1, 1, 1, 0.0f, 0.0f, 50.0f};
    for (StarPoint& point : field.warmStars)
        point = StarPoint{1, 1, 1, 0.0f, 0.0f, 50.0f};
    for (StarPoint& point : field.dimStars)
        point = StarPoint{1, 1, 1, 0.0f, 0.0f, 50.0f};
    field.blueStars[0].z = -3.0f;  // -5.0 after the step: stays
    field.blueStars[1].z = -4.0f;  // -6.0 after the step: recycled

    ScriptedRandom random({0, 32767});
    field.Update();
    EXPECT_FLOAT_EQ(field.blueStars[0].z, -5.0f);
    EXPECT_FLOAT_EQ(field.blueStars[1].z, 94.5f);
    EXPECT_FLOAT_EQ(field.blueStars[1].x, -120.0f);
    EXPECT_NEAR(field.blueStars[1].y, 90.0f, 1e-3);
    EXPECT_EQ(field.blueStars[1].red, 1.0f);  // the colour stays
    EXPECT_EQ(random.draws(), 2);
    EXPECT_FLOAT_EQ(field.dimStars[0].z, 49.75f);  // one eighth of the speed
}

TEST_F(StarFieldTest, ViewBorderIsInclusive)
{
    StarField field(scene.get());
    UseIdentityView();
    for (StarPoint& point : field.blueStars)
        point = StarPoint{1, 1, 1, 0.0f, 0.0f, 50.0f};
    field.blueStars[0] = StarPoint{1, 1, 1, -1.0f, 1.0f, 50.0f};   // window (0, height)
    field.blueStars[1] = StarPoint{1, 1, 1, 1.0f, -1.0f, 50.0f};   // window (width, 0)
    field.blueStars[2] = StarPoint{1, 1, 1, 1.001f, 0.0f, 50.0f};  // just right of the window
    field.blueStars[3] = StarPoint{1, 1, 1, 0.0f, -1.001f, 50.0f}; // just below it

    ScriptedRandom random({}, 16384);
    field.Update();
    EXPECT_FLOAT_EQ(field.blueStars[0].x, -1.0f);
    EXPECT_FLOAT_EQ(field.blueStars[1].x, 1.0f);
    EXPECT_FLOAT_EQ(field.blueStars[2].z, 94.5f);
    EXPECT_FLOAT_EQ(field.blueStars[3].z, 94.5f);
}

TEST_F(StarFieldTest, SepiaScatterCountsAndDrift)
{
    StarField field(scene.get());
    const StarPoint blueBefore = field.blueStars[5];
    sepiaMode = true;
    scene->fps = 16.0f;  // drift of 0.4 per step
    field.driftPoints[0].x = 15.6f;
    field.driftPoints[1].x = 15.7f;

    {
        ScriptedRandom random({}, 32767);
        field.Update();
        EXPECT_EQ(field.speckCount, 199);
        EXPECT_EQ(field.blotchCount, 3);
        EXPECT_EQ(random.draws(), 2 + 3 * (199 + 3));
        EXPECT_NEAR(field.specks[0].x, 4.0f, 1e-3);
        EXPECT_NEAR(field.specks[0].red - field.specks[0].blue, 0.1f, 1e-6);
        EXPECT_NEAR(field.blotches[2].blue, 0.6f, 1e-4);
        EXPECT_EQ(field.blotches[3].z, 0.0f);  // the fourth slot is never used
    }
    EXPECT_FLOAT_EQ(field.driftPoints[0].x, 16.0f);  // exactly 16 stays
    EXPECT_NEAR(field.driftPoints[1].x, -15.9f, 1e-4);

    {
        ScriptedRandom random({0, 8191}, 0);
        field.Update();
        EXPECT_EQ(field.speckCount, 100);
        EXPECT_EQ(field.blotchCount, 0);
    }
    {
        ScriptedRandom random({16384, 8192}, 0);
        field.Update();
        EXPECT_EQ(field.speckCount, 150);
        EXPECT_EQ(field.blotchCount, 1);
        EXPECT_FLOAT_EQ(field.specks[0].z, -2.0f);
    }
    // The colour layers wait while sepia mode runs.
    EXPECT_EQ(field.blueStars[5].z, blueBefore.z);
    EXPECT_EQ(field.blueStars[5].x, blueBefore.x);
}

TEST_F(StarFieldTest, EachModeDrawsOnlyItsOwnPoints)
{
    StarField field(scene.get());
    // Everything large and in view so that any drawn layer shows.
    for (StarPoint* layer : {field.blueStars, field.dimStars, field.specks, field.driftPoints})
        for (int i = 0; i < 16; ++i)
            layer[i] = StarPoint{1, 1, 1, 0.0f, 0.0f, 20.0f};
    for (StarPoint& point : field.warmStars)
        point = StarPoint{1, 1, 1, 0.0f, 0.0f, 20.0f};
    for (StarPoint& point : field.blueStars)
        point.red = 0.0f;  // make the colour layers bluish, the sepia points grey
    for (StarPoint& point : field.warmStars)
        point.red = 0.0f;
    for (StarPoint& point : field.dimStars)
        point.red = 0.0f;
    field.speckCount = 16;

    auto render = [&](bool sepia) {
        sepiaMode = sepia;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 0, 5.5, 0, 0, 0, 0, 1, 0);
        glScalef(1, 1, -1);
        glFogi(GL_FOG_MODE, GL_LINEAR);
        glDisable(GL_LIGHTING);
        field.Draw();
        return PixelAt(width / 2, height / 2);
    };
    const auto colour = render(false);
    EXPECT_EQ(colour[0], 0);
    EXPECT_GT(colour[2], 0);
    const auto sepia = render(true);
    EXPECT_GT(sepia[0], 0);
    EXPECT_EQ(sepia[0], sepia[2]);
    // The client arrays are switched off again.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

}  // namespace
