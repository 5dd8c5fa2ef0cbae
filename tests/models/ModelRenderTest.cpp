// Embedded models compiled and drawn into real pixels.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "models/Model.h"
#include "show/ModelViewer.h"
#include "models/TextureLoader.h"
#include "models/data/EmbeddedModels.h"
#include "scene/ShowLighting.h"
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
        // List 0 draws each visible mesh through its geometry list.
        EXPECT_EQ(recorder.CallsNamed("glCallList").size(), entry.visibleMeshes);
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

// Compiled lists that call the meshes' geometry lists must draw what the
// model's commands draw with every triangle issued in place.
TEST_F(ModelRenderTest, GeometryListsDrawWhatInlineTrianglesDraw)
{
    auto draw = [&](const Model& model, bool compiled) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glRotatef(30.0f, 1.0f, 1.0f, 0.0f);
        compiled ? model.callList(0) : model.emit();
        glPopMatrix();
        glFinish();
        return context->pixels();
    };
    for (const char* name : {"A", "B1", "B2", "C", "D"}) {
        for (bool sepia : {false, true}) {
            SCOPED_TRACE(std::string(name) + (sepia ? " sepia" : " colour"));
            const ModelDescriptor& descriptor = *FindEmbeddedModel(name);
            // Framed like the viewer: the camera, the show's light, the model in front.
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            gluPerspective(90.0, static_cast<double>(width) / height, 1.0, 100.0);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
            glScalef(1.0f, 1.0f, -1.0f);
            BeginShowLighting();
            PlaceShowLight();
            float reach = 0.0f;
            for (int m = 0; m < descriptor.meshCount; ++m)
                for (int v = 0; v < 3 * descriptor.meshes[m].vertexCount; ++v)
                    reach = std::max(reach, std::fabs(descriptor.meshes[m].vertices[v]));
            glTranslatef(0.0f, 0.0f, 4.0f);
            glScalef(6.0f / reach, 6.0f / reach, 6.0f / reach);

            sepiaMode = sepia;
            Model compiled;
            compiled.copyFrom(descriptor, 1);
            ASSERT_NE(compiled.geometryBase, 0u);
            Model inlined;  // never compiled: no geometry lists
            inlined.meshCount = descriptor.meshCount;
            inlined.materialCount = descriptor.materialCount;
            inlined.materials = descriptor.materials;
            inlined.meshes = descriptor.meshes;
            const std::vector<uint8_t> fromLists = draw(compiled, true);
            const std::vector<uint8_t> inPlace = draw(inlined, false);
            sepiaMode = false;

            int lit = 0, worst = 0;
            for (size_t i = 0; i < inPlace.size(); ++i) {
                if (i % 4 == 3)
                    continue;
                lit += inPlace[i] > 24;
                worst = std::max(worst, std::abs(fromLists[i] - inPlace[i]));
            }
            EXPECT_GT(lit, width * height / 10);
            EXPECT_LE(worst, 1);
        }
    }
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
