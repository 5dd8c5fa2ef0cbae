// Model::copyFrom, compile, compileList, callList and the destructor: list
// names, texture loading through the loader hook and the frozen sepia mode.
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "models/Model.h"
#include "models/TextureLoader.h"
#include "scene/ShowState.h"
#include "tests/models/GlRecorder.h"
#include "tests/models/HandModels.h"
#include "tests/support/GlTest.h"

namespace {

using Calls = std::vector<std::string>;

struct LoaderCall {
    std::string file;
    int index;
};
std::vector<LoaderCall> loaderCalls;

void FakeLoader(GLuint* textures, const char* file, int index)
{
    loaderCalls.push_back({file, index});
    textures[index] = 100u + static_cast<GLuint>(index);
}

class ModelCompileTest : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        loaderCalls.clear();
        SetTextureLoader(nullptr);
    }
    void TearDown() override
    {
        SetTextureLoader(nullptr);
        glFinish();
        GlTest::TearDown();
    }

    static std::string Named(const char* call, GLuint list, const char* rest = "")
    {
        return std::string(call) + "(" + std::to_string(list) + rest + ")";
    }

    Triangle triangle;
};

TEST_F(ModelCompileTest, CopyFromReservesListsAndCompilesListZero)
{
    HandModel hand{{MakeMaterial(1, 2, 3), MakeMaterial(4, 5, 6)}, {MakeMesh(0, triangle), MakeMesh(1, triangle)}};
    hand.materials[0].selfIndex = 7;
    hand.materials[1].selfIndex = -3;

    Model model;
    EXPECT_EQ(model.listBase, 0u);
    GlRecorder recorder;
    model.copyFrom(hand.descriptor(), 2);

    EXPECT_EQ(model.meshCount, 2);
    EXPECT_EQ(model.materialCount, 2);
    EXPECT_EQ(model.materials, hand.materials.data());
    EXPECT_EQ(model.meshes, hand.meshes.data());
    EXPECT_EQ(hand.materials[0].selfIndex, 0);
    EXPECT_EQ(hand.materials[1].selfIndex, 1);
    ASSERT_NE(model.listBase, 0u);
    // First each mesh's triangles into a list of its own, then the block,
    // whose list 0 calls them.
    ASSERT_NE(model.geometryBase, 0u);
    const Calls& calls = recorder.calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "glGenLists(2) = " + std::to_string(model.geometryBase));
    EXPECT_EQ(calls[1], Named("glNewList", model.geometryBase, ", GL_COMPILE"));
    const auto block = std::find(calls.begin(), calls.end(), "glGenLists(2) = " + std::to_string(model.listBase));
    ASSERT_NE(block, calls.end());
    ASSERT_NE(block + 1, calls.end());
    EXPECT_EQ(block[1], Named("glNewList", model.listBase, ", GL_COMPILE"));
    EXPECT_EQ(std::count(block, calls.end(), "glBegin(GL_TRIANGLES)"), 0);
    EXPECT_EQ(std::count(block, calls.end(), Named("glCallList", model.geometryBase + 1)), 1);
    EXPECT_EQ(calls.back(), "glEndList()");
    EXPECT_TRUE(glIsList(model.listBase));
    EXPECT_TRUE(glIsList(model.geometryBase + 1));

    recorder.Clear();
    model.compileList(1);
    model.callList(1);
    EXPECT_EQ(recorder.calls().front(), Named("glNewList", model.listBase + 1, ", GL_COMPILE"));
    EXPECT_EQ(recorder.calls().back(), Named("glCallList", model.listBase + 1));

    // Compiling again replaces the block and keeps selfIndex right.
    const GLuint firstBase = model.listBase;
    recorder.Clear();
    model.compile(2);
    EXPECT_EQ(recorder.calls()[0], Named("glDeleteLists", firstBase, ", 2"));
    EXPECT_EQ(hand.materials[1].selfIndex, 1);
}

TEST_F(ModelCompileTest, DestructorDeletesTheWholeBlock)
{
    HandModel hand{{MakeMaterial(1, 2, 3)}, {MakeMesh(0, triangle)}};
    GLuint base = 0, geometry = 0;
    GlRecorder recorder;
    {
        Model model;
        model.copyFrom(hand.descriptor(), 3);
        base = model.listBase;
        geometry = model.geometryBase;
        recorder.Clear();
    }
    EXPECT_EQ(recorder.calls(), (Calls{Named("glDeleteLists", base, ", 3"), Named("glDeleteLists", geometry, ", 1")}));
    EXPECT_FALSE(glIsList(base));
    EXPECT_FALSE(glIsList(geometry));

    recorder.Clear();
    { Model never; }
    EXPECT_TRUE(recorder.calls().empty());
}

TEST_F(ModelCompileTest, ListFreezesTheSepiaModeOfItsCompilation)
{
    HandModel hand{{MakeMaterial(255, 255, 255)}, {MakeMesh(0, triangle)}};
    Model model;
    sepiaMode = true;
    model.copyFrom(hand.descriptor(), 1);
    sepiaMode = false;

    glColor3ub(0, 0, 0);
    model.callList(0);
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_FLOAT_EQ(color[0], 1.0f);
    EXPECT_FLOAT_EQ(color[2], 254.0f / 255.0f);
}

TEST_F(ModelCompileTest, MaterialsNamingATextureGoThroughTheLoader)
{
    HandModel hand{{MakeMaterial(1, 1, 1), MakeMaterial(2, 2, 2), MakeMaterial(3, 3, 3)},
                   {MakeMesh(0, triangle), MakeMesh(2, triangle)}};
    std::strcpy(hand.materials[0].textureFile, "first.bmp");
    std::strcpy(hand.materials[2].textureFile, "third.bmp");
    hand.meshes[1].textured = 1;

    // Every program loads textures from files unless a test replaces the loader.
    EXPECT_EQ(CurrentTextureLoader(), &LoadTexture);

    SetTextureLoader(FakeLoader);
    Model model;
    GlRecorder recorder;
    model.copyFrom(hand.descriptor(), 1);
    ASSERT_EQ(loaderCalls.size(), 2u);
    EXPECT_EQ(loaderCalls[0].file, "first.bmp");
    EXPECT_EQ(loaderCalls[0].index, 0);
    EXPECT_EQ(loaderCalls[1].file, "third.bmp");
    EXPECT_EQ(loaderCalls[1].index, 2);
    EXPECT_EQ(model.textures[1], 0u);
    EXPECT_EQ(recorder.CallsNamed("glBindTexture"), Calls{"glBindTexture(GL_TEXTURE_2D, 102)"});
}

TEST_F(ModelCompileTest, MaterialsPastTheTextureTableAreDrawnWithoutTexture)
{
    HandModel hand;
    for (int i = 0; i < 40; ++i) {
        hand.materials.push_back(MakeMaterial(static_cast<std::uint8_t>(i), 0, 0));
        std::strcpy(hand.materials.back().textureFile, "tile.bmp");
    }
    hand.meshes = {MakeMesh(35, triangle), MakeMesh(36, triangle)};
    hand.meshes[1].textured = 1;
    SetTextureLoader(FakeLoader);

    Model model;
    GlRecorder recorder;
    model.copyFrom(hand.descriptor(), 1);

    ASSERT_EQ(loaderCalls.size(), 32u);
    EXPECT_EQ(loaderCalls.back().index, 31);
    EXPECT_EQ(hand.materials[39].selfIndex, 39);
    const Calls colors = recorder.CallsNamed("glColor");
    ASSERT_FALSE(colors.empty());
    EXPECT_EQ(colors.front(), "glColor3ub(35, 0, 0)");
    EXPECT_EQ(recorder.CallsNamed("glBindTexture"), Calls{"glBindTexture(GL_TEXTURE_2D, 0)"});
}

TEST_F(ModelCompileTest, ModelWithoutMaterialsCompiles)
{
    HandModel hand{{}, {MakeMesh(0, triangle)}};
    Model model;
    GlRecorder recorder;
    model.copyFrom(hand.descriptor(), 1);
    EXPECT_EQ(recorder.CallsNamed("glColor"), (Calls{"glColor3ub(255, 255, 255)", "glColor3ub(255, 255, 255)"}));
}

}  // namespace
