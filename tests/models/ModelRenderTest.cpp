// Embedded models compiled and drawn into real pixels.
#include <string>
#include <vector>

#include "models/Model.h"
#include "show/ModelViewer.h"
#include "models/TextureLoader.h"
#include "models/data/EmbeddedModels.h"
#include "scene/ShowState.h"
#include "tests/models/GlRecorder.h"
#include "tests/support/GlTest.h"

namespace {

int loaderCallCount = 0;
void CountingLoader(GLuint*, const char*, int) { ++loaderCallCount; }

class ModelRenderTest : public GlTest {
protected:
    void TearDown() override
    {
        SetTextureLoader(nullptr);
        GlTest::TearDown();
    }

    // Mean brightness of the lit pixels in columns [x0, x1), and how many there are.
    double MeanBrightness(int x0, int x1, int* count = nullptr)
    {
        glFinish();
        double sum = 0.0;
        int lit = 0;
        for (int y = 0; y < height; ++y)
            for (int x = x0; x < x1; ++x) {
                const auto pixel = PixelAt(x, y);
                const int value = pixel[0] + pixel[1] + pixel[2];
                if (value > 24) {
                    sum += value;
                    ++lit;
                }
            }
        if (count)
            *count = lit;
        return lit ? sum / lit : 0.0;
    }
};

TEST_F(ModelRenderTest, EmbeddedModelsLoadNoTextureAndDrawTheirVisibleMeshes)
{
    loaderCallCount = 0;
    SetTextureLoader(CountingLoader);
    const struct {
        const char* name;
        size_t visibleMeshes;
    } models[] = {{"A", 12}, {"B1", 1}, {"B2", 1}, {"C", 8}, {"D", 17}};
    for (const auto& entry : models) {
        SCOPED_TRACE(entry.name);
        Model model;
        GlRecorder recorder;
        model.copyFrom(*FindEmbeddedModel(entry.name), 2);
        EXPECT_EQ(recorder.CallsNamed("glBegin").size(), entry.visibleMeshes);
        EXPECT_TRUE(recorder.CallsNamed("glBindTexture").empty());
    }
    EXPECT_EQ(loaderCallCount, 0);
}

TEST_F(ModelRenderTest, EveryModelFillsThePictureAndIsLitFromTheLightsSide)
{
    for (const char* name : {"A", "B1", "C", "D"}) {
        SCOPED_TRACE(name);
        ModelViewer viewer(*FindEmbeddedModel(name), width, height, false);
        viewer.DrawFrame(0);
        EXPECT_GT(CountLitPixels(), width * height / 20);
    }
    // The light stands up and to the right: the right half of the round body
    // is brighter than the left, which it would not be with inward normals.
    ModelViewer viewer(*FindEmbeddedModel("B1"), width, height, false);
    viewer.DrawFrame(0);
    int leftCount = 0, rightCount = 0;
    const double left = MeanBrightness(0, width / 2, &leftCount);
    const double right = MeanBrightness(width / 2, width, &rightCount);
    EXPECT_GT(leftCount, 100);
    EXPECT_GT(rightCount, 100);
    EXPECT_GT(right, left * 1.3);
}

TEST_F(ModelRenderTest, SepiaViewIsWarmMonochrome)
{
    ModelViewer viewer(*FindEmbeddedModel("C"), width, height, true);
    EXPECT_TRUE(sepiaMode);
    viewer.DrawFrame(3);
    glFinish();
    int lit = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto pixel = PixelAt(x, y);
            if (pixel[0] + pixel[1] + pixel[2] <= 24)
                continue;
            ++lit;
            // Red and green equal, blue below them.
            EXPECT_NEAR(pixel[0], pixel[1], 2) << x << "," << y;
            ASSERT_GE(pixel[1] + 1, pixel[2]) << x << "," << y;
        }
    EXPECT_GT(lit, width * height / 20);
}

TEST_F(ModelRenderTest, ViewerRestoresTheModeItFound)
{
    sepiaMode = false;
    {
        ModelViewer viewer(*FindEmbeddedModel("A"), width, height, true);
        EXPECT_TRUE(sepiaMode);
    }
    EXPECT_FALSE(sepiaMode);
}

}  // namespace
