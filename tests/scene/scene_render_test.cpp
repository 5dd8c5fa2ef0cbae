#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "actors/Actor.h"
#include "show/Director.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "scene/Stage.h"
#include "tests/support/FakeTicks.h"
#include "tests/support/GlTest.h"

namespace {

// A stage that keeps the previous picture and paints a square each frame.
class IncrementalStage : public Stage {
public:
    using Stage::Stage;
    bool DrawsIncrementally() override { return true; }
    void Draw() override { ++draws; }
    int draws = 0;
};

class SceneRenderTest : public GlTest {
protected:
    SceneRenderTest() : GlTest(320, 240) {}
};

TEST_F(SceneRenderTest, FirstTwoFramesGoToTheBackBufferWhateverTheStage)
{
    FakeTicks ticks;
    Scene scene(width, height, 0);
    delete scene.stage;
    auto* stage = new IncrementalStage(&scene);
    scene.stage = stage;

    EXPECT_TRUE(scene.RenderFrame(0));
    EXPECT_TRUE(scene.RenderFrame(0));
    EXPECT_FALSE(scene.RenderFrame(0));
    EXPECT_FALSE(scene.RenderFrame(0));
    EXPECT_EQ(stage->draws, 4);
    EXPECT_EQ(frameClock.redrawCount, 0);

    GLint buffer = 0;
    glGetIntegerv(GL_DRAW_BUFFER, &buffer);
    EXPECT_EQ(buffer, GL_FRONT);
}

TEST_F(SceneRenderTest, FrontBufferFramesKeepThePicture)
{
    FakeTicks ticks;
    Scene scene(width, height, 0);
    delete scene.stage;
    scene.stage = new IncrementalStage(&scene);
    scene.RenderFrame(0);
    scene.RenderFrame(0);

    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);  // stands for what earlier frames drew
    EXPECT_FALSE(scene.RenderFrame(0));
    EXPECT_EQ(PixelAt(10, 10)[2], 255);
}

TEST_F(SceneRenderTest, DirectorFramesAreAlwaysSwappedAndCleared)
{
    FakeTicks ticks;
    Scene scene(width, height, 0);
    for (int frame = 0; frame < 4; ++frame) {
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        EXPECT_TRUE(scene.RenderFrame(0));
        EXPECT_EQ(PixelAt(5, height - 5)[0], 0) << "frame " << frame;
    }
}

TEST_F(SceneRenderTest, FrameRateTextLandsNearTheLowerRightInItsColour)
{
    FakeTicks ticks;
    Scene scene(width, height, 0);
    for (Actor*& member : static_cast<Director*>(scene.stage)->cast) {
        delete member;
        member = nullptr;
    }
    scene.RenderFrame(0);
    glFinish();

    int lit = 0, litOutside = 0, minX = width, minY = height;
    const auto& pixels = context->pixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            if (p[0] == 0 && p[1] == 0 && p[2] == 0)
                continue;
            // (0.6, 0.6, 0.5) and nothing else: the bitmap font is not blended.
            EXPECT_EQ(p[0], 153);
            EXPECT_EQ(p[1], 153);
            EXPECT_NEAR(p[2], 127, 1);
            ++lit;
            if (x < width / 2 || y > height / 4)
                ++litOutside;
            minX = std::min(minX, x);
            minY = std::min(minY, y);
        }
    EXPECT_GT(lit, 40) << "no text drawn";
    EXPECT_EQ(litOutside, 0) << "text outside the lower right";
}

TEST_F(SceneRenderTest, ZeroHeightWindowStillBuildsAndRenders)
{
    FakeTicks ticks;
    Scene scene(width, 0, 0);
    EXPECT_TRUE(scene.RenderFrame(0));
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (float value : projection)
        EXPECT_TRUE(std::isfinite(value));
}

TEST(GlowExtensions, NeedsBothNames)
{
    EXPECT_TRUE(ExtensionsSupportGlow("GL_ARB_multitexture GL_EXT_compiled_vertex_array"));
    EXPECT_TRUE(ExtensionsSupportGlow("GL_EXT_compiled_vertex_arrayGL_ARB_multitexture"));
    EXPECT_FALSE(ExtensionsSupportGlow("GL_EXT_compiled_vertex_array"));
    EXPECT_FALSE(ExtensionsSupportGlow("GL_ARB_multitexture GL_EXT_texture"));
    EXPECT_FALSE(ExtensionsSupportGlow(""));
    EXPECT_FALSE(ExtensionsSupportGlow(nullptr));
}

}  // namespace
