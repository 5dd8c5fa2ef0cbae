#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/Actor.h"
#include "show/Director.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "tests/support/FakeTicks.h"
#include "tests/support/GlTest.h"

namespace {

// Writes "<name>:<call>" to a shared journal.
class JournalActor : public Actor {
public:
    JournalActor(Scene* scene, std::string name, std::vector<std::string>& journal)
        : Actor(scene), name_(std::move(name)), journal_(journal)
    {
    }
    void Restyle() override { journal_.push_back(name_ + ":restyle"); }
    void Update() override { journal_.push_back(name_ + ":update"); }
    void Draw() override { journal_.push_back(name_ + ":draw"); }
    void WarmUpUpdate() override { journal_.push_back(name_ + ":warm-update"); }
    void WarmUpDraw() override { journal_.push_back(name_ + ":warm-draw"); }

private:
    std::string name_;
    std::vector<std::string>& journal_;
};

class DirectorTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        ticks = std::make_unique<FakeTicks>(1000);
        scene = std::make_unique<Scene>(160, 120, 0);
        director = static_cast<Director*>(scene->stage);
        ASSERT_NE(director, nullptr);
        ASSERT_EQ(currentDirector, director);
        const char* names[] = {"stars", "passer", "mast", "cruiser", "linker"};
        for (int slot = 0; slot < Director::kCastSize; ++slot) {
            delete director->cast[slot];
            actors.push_back(std::make_unique<JournalActor>(scene.get(), names[slot], journal));
            director->cast[slot] = actors.back().get();
        }
    }
    void TearDown() override
    {
        for (Actor*& member : director->cast)
            member = nullptr;
        scene.reset();
        ticks.reset();
        GlTest::TearDown();
    }

    // One Update of the Scene at `seconds` of show time, with `fps` as the
    // frame-rate average the clock reports.
    void UpdateAt(double seconds, double average = 60.0)
    {
        ticks->SetSeconds(seconds);
        frameClock.fpsAverage = average;
        frameClock.frameCounter = 0;  // keep the average where the test put it
        scene->Update();
    }

    int Count(const std::string& entry) const
    {
        int n = 0;
        for (const auto& line : journal)
            n += line == entry;
        return n;
    }

    std::unique_ptr<FakeTicks> ticks;
    std::unique_ptr<Scene> scene;
    Director* director = nullptr;
    std::vector<std::unique_ptr<Actor>> actors;
    std::vector<std::string> journal;
};

TEST_F(DirectorTest, FlipsModeOncePerPeriodChangeAndRestylesTheCastInOrder)
{
    UpdateAt(0.0);
    UpdateAt(19.999);
    EXPECT_FALSE(sepiaMode);
    EXPECT_EQ(Count("stars:restyle"), 0);

    journal.clear();
    UpdateAt(20.0);
    EXPECT_TRUE(sepiaMode);
    const std::vector<std::string> flip = {"stars:restyle",  "passer:restyle", "mast:restyle", "cruiser:restyle",
                                           "linker:restyle", "stars:update",   "passer:update", "mast:update",
                                           "cruiser:update", "linker:update"};
    EXPECT_EQ(journal, flip);

    UpdateAt(39.9);
    EXPECT_TRUE(sepiaMode);
    UpdateAt(40.0);
    EXPECT_FALSE(sepiaMode);
    EXPECT_EQ(Count("stars:restyle"), 2);
}

TEST_F(DirectorTest, AStallAcrossSeveralPeriodsFlipsOnce)
{
    UpdateAt(1.0);
    UpdateAt(65.0);  // periods 1, 2 and 3 passed in one frame
    EXPECT_TRUE(sepiaMode);
    EXPECT_EQ(Count("cruiser:restyle"), 1);
    EXPECT_EQ(lastPeriod, 3);
    UpdateAt(79.0);
    EXPECT_TRUE(sepiaMode);
    UpdateAt(80.0);
    EXPECT_FALSE(sepiaMode);
}

TEST_F(DirectorTest, SepiaModeStepsTwentyFourTimesASecondAndCapsTheRate)
{
    UpdateAt(20.0, 100.0);
    ASSERT_TRUE(sepiaMode);
    EXPECT_FLOAT_EQ(scene->fps, 24.0f);
    EXPECT_EQ(Count("mast:update"), 1);  // the flip frame always steps

    UpdateAt(20.010, 100.0);  // same 1/24 s step: the cast holds still
    EXPECT_EQ(Count("mast:update"), 1);
    EXPECT_FLOAT_EQ(scene->fps, 24.0f);

    UpdateAt(20.042, 100.0);  // next step
    EXPECT_EQ(Count("mast:update"), 2);

    UpdateAt(20.2, 12.5);  // slower than 24 fps: the true rate shows
    EXPECT_FLOAT_EQ(scene->fps, 12.5f);
    EXPECT_EQ(Count("mast:update"), 3);
}

TEST_F(DirectorTest, ColourModeUpdatesEveryFrameEvenWithinOneStep)
{
    UpdateAt(1.000, 100.0);
    UpdateAt(1.001, 100.0);
    UpdateAt(1.002, 100.0);
    EXPECT_EQ(Count("linker:update"), 3);
    EXPECT_FLOAT_EQ(scene->fps, 100.0f);
}

TEST_F(DirectorTest, FirstFrameStepsWhateverTheMode)
{
    sepiaMode = true;
    lastPeriod = 0;
    UpdateAt(0.0);
    EXPECT_EQ(Count("stars:update"), 1);
}

TEST_F(DirectorTest, DrawsTheCastInItsOwnOrderAndSkipsMissingMembers)
{
    director->cast[Director::kPasser] = nullptr;
    director->cast[Director::kCruiser] = nullptr;
    scene->Draw();
    const std::vector<std::string> order = {"stars:draw", "mast:draw", "linker:draw"};
    EXPECT_EQ(journal, order);

    journal.clear();
    UpdateAt(25.0);
    EXPECT_EQ(Count("passer:restyle") + Count("cruiser:update"), 0);
    EXPECT_EQ(Count("linker:update"), 1);
}

TEST_F(DirectorTest, WarmsUpEveryMemberWhereAFrameDrawsAndUpdatesIt)
{
    director->cast[Director::kCruiser] = nullptr;
    director->WarmUp();
    // Drawn as a frame draws them, then the update phase that follows a frame.
    const std::vector<std::string> expected = {
        "stars:warm-draw",   "passer:warm-draw",   "mast:warm-draw",   "linker:warm-draw",
        "stars:warm-update", "passer:warm-update", "mast:warm-update", "linker:warm-update",
    };
    EXPECT_EQ(journal, expected);
}

TEST_F(DirectorTest, FrameLeavesTheExpectedLightingAndBlendState)
{
    // Whatever cull face was chosen before, the frame chooses back faces.
    glCullFace(GL_FRONT);
    scene->RenderFrame(0);
    EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    GLint cullFace = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    EXPECT_EQ(cullFace, GL_BACK);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint value = 0;
    glGetIntegerv(GL_FOG_MODE, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    GLfloat fog[2] = {};
    glGetFloatv(GL_FOG_START, &fog[0]);
    glGetFloatv(GL_FOG_END, &fog[1]);
    EXPECT_FLOAT_EQ(fog[0], 80.0f);
    EXPECT_FLOAT_EQ(fog[1], 100.0f);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
}

TEST(CreateStage, KnowsOnlyTheDirector)
{
    ResetProcessState();
    EXPECT_EQ(CreateStage(1, nullptr), nullptr);
    EXPECT_EQ(CreateStage(-1, nullptr), nullptr);
    Stage* stage = CreateStage(0, nullptr);
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(currentDirector, stage);
    EXPECT_FALSE(stage->DrawsIncrementally());
    delete stage;
    EXPECT_EQ(currentDirector, nullptr);
    ResetProcessState();
}

}  // namespace
