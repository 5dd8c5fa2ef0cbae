// The GL command stream of Model::emit, call by call.
#include <string>
#include <vector>

#include "models/Model.h"
#include "scene/ShowState.h"
#include "tests/models/GlRecorder.h"
#include "tests/models/HandModels.h"
#include "tests/support/GlTest.h"

namespace {

using Calls = std::vector<std::string>;

const Calls kPreamble = {
    "glEnable(GL_LIGHTING)",
    "glEnable(GL_NORMALIZE)",
    "glMaterialfv(GL_FRONT, GL_AMBIENT, 0, 0, 0, 1)",
    "glDisable(GL_BLEND)",
    "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)",
};

const Calls kTriangle = {
    "glBegin(GL_TRIANGLES)",
    "glNormal3fv(0, 0, 1)", "glVertex3fv(0, 0, 0)",
    "glNormal3fv(0, 0, 1)", "glVertex3fv(1, 0, 0)",
    "glNormal3fv(0, 0, 1)", "glVertex3fv(0, 1, 0)",
    "glEnd()",
};

Calls Epilogue(bool sepia)
{
    return {
        "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)",
        "glDisable(GL_BLEND)",
        sepia ? "glColor3ub(255, 255, 254)" : "glColor3ub(255, 255, 255)",
    };
}

Calls Join(std::initializer_list<Calls> parts)
{
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class ModelEmitTest : public GlTest {
protected:
    // Mesa crashes destroying a context with immediate-mode triangles still queued.
    void TearDown() override
    {
        glFinish();
        GlTest::TearDown();
    }

    // Emits the model outside any display list and returns what it issued.
    Calls Emit(HandModel& hand, bool sepia = false)
    {
        sepiaMode = sepia;
        Model model;
        const ModelDescriptor descriptor = hand.descriptor();
        model.meshCount = descriptor.meshCount;
        model.materialCount = descriptor.materialCount;
        model.materials = descriptor.materials;
        model.meshes = descriptor.meshes;
        GlRecorder recorder;
        model.emit();
        return recorder.calls();
    }

    // The colour calls of a one-mesh model with the given material.
    Calls ColorOf(const Material& material, bool sepia)
    {
        HandModel hand{{material}, {MakeMesh(0, triangle)}};
        Calls colors = GlRecorder::Filter(Emit(hand, sepia), "glColor");
        colors.pop_back();  // the closing neutral colour
        return colors;
    }

    Triangle triangle;
};

TEST_F(ModelEmitTest, OpaqueThenTranslucentMeshIssueTheirStateAndTriangles)
{
    Material glossy = MakeMaterial(255, 0, 51, 0.5f);
    glossy.shininess = 0.5f;
    glossy.specular[0] = 0.25f;
    glossy.specular[1] = 0.5f;
    glossy.specular[2] = 0.75f;
    glossy.specular[3] = 0.0f;
    HandModel hand{{MakeMaterial(10, 20, 30, 0.0f), glossy}, {MakeMesh(0, triangle), MakeMesh(1, triangle)}};

    const Calls expected = Join({
        kPreamble,
        {"glColor3ub(10, 20, 30)",
         "glMaterialfv(GL_FRONT, GL_SPECULAR, 0, 0, 0, 1)",
         "glMaterialf(GL_FRONT, GL_SHININESS, 0)",
         "glDisable(GL_BLEND)",
         "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)"},
        kTriangle,
        {"glColor4f(1, 0, 0.200000018, 0.5)",
         "glMaterialfv(GL_FRONT, GL_SPECULAR, 0.25, 0.5, 0.75, 0)",
         "glMaterialf(GL_FRONT, GL_SHININESS, 60)",
         "glEnable(GL_BLEND)",
         "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)"},
        kTriangle,
        Epilogue(false),
    });
    EXPECT_EQ(Emit(hand), expected);
}

TEST_F(ModelEmitTest, HiddenMeshIssuesNothingAndKeepsThePreviousState)
{
    Material bright = MakeMaterial(1, 2, 3);
    bright.brightAmbient = 1;
    HandModel hand{{bright, MakeMaterial(4, 5, 6, 0.5f)}, {MakeMesh(0, triangle), MakeMesh(1, triangle)}};
    hand.meshes[1].hidden = 1;

    const Calls expected = Join({
        kPreamble,
        {"glColor3ub(1, 2, 3)",
         "glMaterialfv(GL_FRONT, GL_SPECULAR, 0, 0, 0, 1)",
         "glMaterialf(GL_FRONT, GL_SHININESS, 0)",
         "glDisable(GL_BLEND)",
         "glLightfv(GL_LIGHT0, GL_AMBIENT, 1, 1, 1, 1)"},
        kTriangle,
        Epilogue(false),
    });
    EXPECT_EQ(Emit(hand), expected);
}

TEST_F(ModelEmitTest, SepiaOpaqueColoursAreLiftedGreyBytes)
{
    struct Case {
        std::uint8_t r, g, b;
        const char* expected;
    } const cases[] = {
        {255, 255, 255, "glColor3ub(255, 255, 254)"},  // weights sum to 0.9999: grey 254
        {0, 0, 0, "glColor3ub(25, 25, 0)"},
        {230, 230, 230, "glColor3ub(254, 254, 229)"},  // grey 229
        {231, 231, 231, "glColor3ub(255, 255, 230)"},  // grey 230: lift exactly 255
        {232, 232, 232, "glColor3ub(255, 255, 231)"},  // grey 231: lift capped
        {255, 0, 0, "glColor3ub(109, 109, 84)"},
        {0, 255, 0, "glColor3ub(138, 138, 113)"},
        {0, 0, 255, "glColor3ub(81, 81, 56)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b));
        EXPECT_EQ(ColorOf(MakeMaterial(c.r, c.g, c.b), true), Calls{c.expected});
        EXPECT_EQ(ColorOf(MakeMaterial(c.r, c.g, c.b), false),
                  Calls{"glColor3ub(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", "
                        + std::to_string(c.b) + ")"});
    }
}

TEST_F(ModelEmitTest, TransparencyChoosesTheFloatPathAndBlending)
{
    // Exactly 0 and negative values are opaque.
    for (float transparency : {0.0f, -0.5f}) {
        HandModel hand{{MakeMaterial(255, 128, 0, transparency)}, {MakeMesh(0, triangle)}};
        const Calls calls = Emit(hand);
        EXPECT_EQ(calls[5], "glColor3ub(255, 128, 0)");
        EXPECT_EQ(calls[8], "glDisable(GL_BLEND)");
    }
    HandModel hand{{MakeMaterial(255, 0, 0, 0.5f)}, {MakeMesh(0, triangle)}};
    const Calls calls = Emit(hand);
    EXPECT_EQ(calls[5], "glColor4f(1, 0, 0, 0.5)");
    EXPECT_EQ(calls[8], "glEnable(GL_BLEND)");

    // Sepia: red and green are the grey lifted by 0.1, unclamped.
    EXPECT_EQ(ColorOf(MakeMaterial(255, 255, 255, 0.25f), true), Calls{"glColor4f(1.09990001, 1.09990001, 0.999899983, 0.75)"});
    EXPECT_EQ(ColorOf(MakeMaterial(0, 0, 0, 0.8f), true), Calls{"glColor4f(0.100000001, 0.100000001, 0, 0.199999988)"});
}

TEST_F(ModelEmitTest, ShininessScalesAndSepiaMakesTheHighlightWhite)
{
    Material material = MakeMaterial(10, 10, 10);
    material.shininess = 0.5f;
    material.specular[0] = 0.1f;
    material.specular[1] = 0.2f;
    material.specular[2] = 0.3f;
    material.specular[3] = 0.0f;
    HandModel hand{{material}, {MakeMesh(0, triangle)}};

    Calls calls = Emit(hand, false);
    EXPECT_EQ(calls[6], "glMaterialfv(GL_FRONT, GL_SPECULAR, 0.100000001, 0.200000003, 0.300000012, 0)");
    EXPECT_EQ(calls[7], "glMaterialf(GL_FRONT, GL_SHININESS, 60)");
    calls = Emit(hand, true);
    EXPECT_EQ(calls[6], "glMaterialfv(GL_FRONT, GL_SPECULAR, 1, 1, 1, 1)");
    EXPECT_EQ(calls[7], "glMaterialf(GL_FRONT, GL_SHININESS, 60)");

    // A negative shininess counts as a highlight too.
    hand.materials[0].shininess = -0.25f;
    calls = Emit(hand, false);
    EXPECT_EQ(calls[7], "glMaterialf(GL_FRONT, GL_SHININESS, -30)");
}

TEST_F(ModelEmitTest, BrightAmbientLastsThroughTexturedAndMaterialLessMeshes)
{
    Material bright = MakeMaterial(9, 9, 9);
    bright.brightAmbient = 1;
    HandModel hand{{bright, MakeMaterial(7, 7, 7)},
                   {MakeMesh(0, triangle), MakeMesh(0, triangle), MakeMesh(-1, triangle), MakeMesh(1, triangle)}};
    hand.meshes[1].textured = 1;

    const Calls ambient = GlRecorder::Filter(Emit(hand), "glLightfv");
    EXPECT_EQ(ambient, (Calls{
                           "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)",  // preamble
                           "glLightfv(GL_LIGHT0, GL_AMBIENT, 1, 1, 1, 1)",  // mesh 0
                           "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)",  // mesh 3: the next material
                           "glLightfv(GL_LIGHT0, GL_AMBIENT, 0, 0, 0, 1)",  // the end
                       }));
}

TEST_F(ModelEmitTest, MeshWithoutMaterialIsWhiteWithNoOtherState)
{
    HandModel hand{{MakeMaterial(1, 2, 3, 0.5f)}, {MakeMesh(0, triangle), MakeMesh(-1, triangle)}};
    Calls calls = Emit(hand, true);
    const Calls tail(calls.begin() + 5 + 5 + 8, calls.end());
    EXPECT_EQ(tail, Join({{"glColor3ub(255, 255, 255)"}, kTriangle, Epilogue(true)}));

    // With no materials at all every mesh is white and no record is read.
    HandModel bare{{}, {MakeMesh(0, triangle), MakeMesh(3, triangle)}};
    calls = Emit(bare);
    EXPECT_EQ(calls, Join({kPreamble, {"glColor3ub(255, 255, 255)"}, kTriangle, {"glColor3ub(255, 255, 255)"},
                           kTriangle, Epilogue(false)}));
}

TEST_F(ModelEmitTest, TexturedMeshBindsItsMaterialTextureAndSendsCoordinates)
{
    HandModel hand{{MakeMaterial(1, 1, 1), MakeMaterial(2, 2, 2)}, {MakeMesh(1, triangle)}};
    hand.meshes[0].textured = 1;
    Model model;
    model.meshCount = 1;
    model.materialCount = 2;
    model.materials = hand.materials.data();
    model.meshes = hand.meshes.data();
    model.textures[1] = 77;

    for (bool sepia : {false, true}) {
        sepiaMode = sepia;
        GlRecorder recorder;
        model.emit();
        EXPECT_EQ(recorder.calls(),
                  Join({kPreamble,
                        {"glEnable(GL_TEXTURE_2D)", sepia ? "glColor3ub(255, 255, 254)" : "glColor3ub(255, 255, 255)",
                         "glBindTexture(GL_TEXTURE_2D, 77)", "glBegin(GL_TRIANGLES)",
                         "glTexCoord2f(0, 0)", "glNormal3fv(0, 0, 1)", "glVertex3fv(0, 0, 0)",
                         "glTexCoord2f(1, 0)", "glNormal3fv(0, 0, 1)", "glVertex3fv(1, 0, 0)",
                         "glTexCoord2f(0, 1)", "glNormal3fv(0, 0, 1)", "glVertex3fv(0, 1, 0)", "glEnd()"},
                        Epilogue(sepia)}));
    }

    // Without coordinates the triangle is sent without glTexCoord.
    hand.meshes[0].texCoords = nullptr;
    GlRecorder recorder;
    model.emit();
    EXPECT_TRUE(recorder.CallsNamed("glTexCoord").empty());
    EXPECT_EQ(recorder.CallsNamed("glVertex").size(), 3u);
}

TEST_F(ModelEmitTest, MeshWithoutFacesIssuesAnEmptyTriangleList)
{
    HandModel hand{{}, {MakeMesh(-1, triangle)}};
    hand.meshes[0].faceCount = 0;
    EXPECT_EQ(Emit(hand), Join({kPreamble, {"glColor3ub(255, 255, 255)", "glBegin(GL_TRIANGLES)", "glEnd()"},
                                Epilogue(false)}));
}

// Faulty records: nothing is read outside the arrays.

TEST_F(ModelEmitTest, MaterialIndexPastTheMaterialsDrawsWhiteWithoutReadingARecord)
{
    HandModel hand{{MakeMaterial(1, 2, 3)}, {MakeMesh(1, triangle), MakeMesh(500, triangle)}};
    const Calls colors = GlRecorder::Filter(Emit(hand), "glColor");
    EXPECT_EQ(colors, (Calls{"glColor3ub(255, 255, 255)", "glColor3ub(255, 255, 255)", "glColor3ub(255, 255, 255)"}));

    // A textured mesh without a valid material binds no texture.
    hand.meshes[0].textured = 1;
    hand.meshes[0].materialIndex = -1;
    EXPECT_EQ(GlRecorder::Filter(Emit(hand), "glBindTexture"), Calls{"glBindTexture(GL_TEXTURE_2D, 0)"});
}

TEST_F(ModelEmitTest, TriangleWithAVertexOutsideTheMeshIsLeftOut)
{
    Triangle pair;
    const std::int16_t indices[] = {0, 1, 2, 0, 3, 2, -1, 1, 2, 2, 1, 0};
    HandModel hand{{}, {MakeMesh(-1, pair)}};
    hand.meshes[0].indices = indices;
    hand.meshes[0].faceCount = 4;
    const Calls vertices = GlRecorder::Filter(Emit(hand), "glVertex");
    EXPECT_EQ(vertices, (Calls{"glVertex3fv(0, 0, 0)", "glVertex3fv(1, 0, 0)", "glVertex3fv(0, 1, 0)",
                               "glVertex3fv(0, 1, 0)", "glVertex3fv(1, 0, 0)", "glVertex3fv(0, 0, 0)"}));
}

}  // namespace
