#include <gtest/gtest.h>

#include <cmath>

#include "tests/actors/ScriptedRandom.h"
#include "tests/actors/ShowFixture.h"

namespace {

using PasserTest = ShowTest;

TEST_F(PasserTest, ConstructionDrawsRestyleThenHeadingPlaceAndChance)
{
    ScriptedRandom random({0,                    // sheet shown
                           0, 32767, 16384,      // body colour 128, 255, 192
                           32767, 32767, 32767,  // sheet colour 255 each
                           32767,                // heading 15
                           0,                    // angle 0: top of the ellipse
                           0,                    // depth 5.5
                           16384});              // shown
    PasserActor actor(scene.get());
    EXPECT_EQ(random.draws(), 11);
    EXPECT_EQ(actor.wobbleModel.meshes[0].hidden, 0);
    EXPECT_EQ(actor.mainModel.meshes[0].hidden, 1);
    EXPECT_EQ(actor.wobbleModel.meshes[1].hidden, 1);
    const uint8_t* body = actor.mainModel.materials[1].color;
    EXPECT_EQ(body[0], 128);
    EXPECT_EQ(body[1], 255);
    EXPECT_EQ(body[2], 192);
    EXPECT_EQ(actor.wobbleModel.materials[0].color[2], 255);
    // No half turn at construction, even at the top of the ellipse.
    EXPECT_NEAR(actor.heading, 15.0f, 1e-4);
    EXPECT_FLOAT_EQ(actor.position.x, 0.0f);
    EXPECT_FLOAT_EQ(actor.position.y, 21.0f);
    EXPECT_FLOAT_EQ(actor.position.z, 5.5f);
    EXPECT_TRUE(actor.visible);
}

TEST_F(PasserTest, WrapsOnlyPastTheNearLimit)
{
    PasserActor* actor = passer();
    scene->fps = 10.0f;  // 2 units a step
    actor->position.z = 3.5f;
    ScriptedRandom random({0,        // angle 0: y > 0
                           16384,    // heading about 0, turned by 180
                           0,        // shown
                           16384});  // restyle: sheet hidden
    actor->Update();
    EXPECT_FLOAT_EQ(actor->position.z, 5.5f);  // exactly 5.5 stays
    EXPECT_EQ(random.draws(), 0);
    actor->Update();
    EXPECT_FLOAT_EQ(actor->position.z, -92.5f);
    EXPECT_FLOAT_EQ(actor->position.x, 0.0f);
    EXPECT_FLOAT_EQ(actor->position.y, 21.0f);
    EXPECT_NEAR(actor->heading, 180.0f, 0.01f);
    EXPECT_TRUE(actor->visible);
    EXPECT_EQ(actor->wobbleModel.meshes[0].hidden, 1);
    EXPECT_EQ(random.draws(), 4 + 6);

    // The lower half keeps the heading within 15 degrees; two chances in three of hiding.
    actor->position.z = 5.0f;
    ScriptedRandom lower({16384, 32767, 10923});
    actor->Update();
    EXPECT_LT(actor->position.y, 0.0f);
    EXPECT_NEAR(actor->position.y, -21.0f, 1e-3);
    EXPECT_NEAR(actor->heading, 15.0f, 1e-4);
    EXPECT_FALSE(actor->visible);
}

TEST_F(PasserTest, StepsLongerThanAPassStillLandOnThePath)
{
    PasserActor* actor = passer();
    scene->fps = 0.05f;  // 400 units a step: four passes at once
    actor->position.z = -50.0f;
    actor->Update();
    EXPECT_FLOAT_EQ(actor->position.z, -50.0f);
    scene->fps = 0.18f;  // 111.1 units: just over one pass
    actor->position.z = 0.0f;
    actor->Update();
    EXPECT_GT(actor->position.z, -94.5f);
    EXPECT_LE(actor->position.z, 5.5f);
}

TEST_F(PasserTest, HiddenPasserStillSetsItsFogRange)
{
    PasserActor* actor = passer();
    actor->visible = false;
    glFogi(GL_FOG_START, 80);
    glFogi(GL_FOG_END, 90);
    glDisable(GL_FOG);
    actor->Draw();
    GLint start = -1, end = -1;
    glGetIntegerv(GL_FOG_START, &start);
    glGetIntegerv(GL_FOG_END, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 100);
    EXPECT_TRUE(glIsEnabled(GL_FOG));
}

TEST_F(PasserTest, ComesOutOfTheDepthTowardTheViewer)
{
    PasserActor* actor = passer();
    actor->visible = true;
    auto litPixels = [&](float z) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        BeginFrameState();
        actor->position.Set(28.0f * 0.6f, 21.0f * 0.8f, z);
        actor->Draw();
        return CountLitPixels(8);
    };
    // Early in a pass it is deep in the scene and in view ...
    EXPECT_GT(litPixels(-60.0f), 20);
    // ... at the end of it, next to the eye and out at the side of the view.
    EXPECT_EQ(litPixels(4.0f), 0);
    actor->visible = false;
    EXPECT_EQ(litPixels(-60.0f), 0);
}

TEST_F(PasserTest, PassesStayOnTheEllipse)
{
    PasserActor* actor = passer();
    scene->fps = 7.0f;
    for (int step = 0; step < 5000; ++step) {
        actor->Update();
        ASSERT_LE(actor->position.z, 5.5f);
        ASSERT_GT(actor->position.z, -94.5f - 1e-3f);
        const float onEllipse = actor->position.x * actor->position.x / (28.0f * 28.0f)
            + actor->position.y * actor->position.y / (21.0f * 21.0f);
        ASSERT_NEAR(onEllipse, 1.0f, 1e-4);
        ASSERT_TRUE(std::fabs(actor->heading) <= 15.0f || std::fabs(actor->heading - 180.0f) <= 15.0f);
    }
}

}  // namespace
