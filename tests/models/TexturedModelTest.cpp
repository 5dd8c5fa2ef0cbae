// A model whose material names a bitmap file, compiled with the loader every
// program has and drawn into real pixels.
#include <cstring>
#include <string>

#include "models/Model.h"
#include "models/TextureLoader.h"
#include "tests/models/BitmapTestSupport.h"
#include "tests/models/HandModels.h"
#include "tests/support/GlTest.h"

namespace {

// A square over the whole view, its texture the right way up: the
// quadrants.bmp picture is red and green above, blue and white below.
struct TexturedSquare {
    float vertices[12] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    float normals[12] = {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1};
    float texCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    std::int16_t indices[6] = {0, 1, 2, 0, 2, 3};
    HandModel hand;

    explicit TexturedSquare(const std::string& textureFile)
    {
        hand.materials = {MakeMaterial(10, 20, 30)};
        std::strncpy(hand.materials[0].textureFile, textureFile.c_str(), sizeof hand.materials[0].textureFile - 1);
        Mesh mesh;
        std::memset(&mesh, 0, sizeof mesh);
        mesh.vertexCount = 4;
        mesh.faceCount = 2;
        mesh.textured = 1;
        mesh.vertices = vertices;
        mesh.normals = normals;
        mesh.texCoords = texCoords;
        mesh.indices = indices;
        hand.meshes = {mesh};
    }
};

class TexturedModelTest : public GlTest {
protected:
    TexturedModelTest() : GlTest(64, 64) {}
};

TEST_F(TexturedModelTest, MaterialBitmapIsDrawnOnTheModel)
{
    const std::string file = kTestData + "/textures/quadrants.bmp";
    ASSERT_LT(file.size(), sizeof(Material::textureFile));
    TexturedSquare square(file);

    // A white light straight at the square: lit texels keep their colour.
    const GLfloat white[] = {1, 1, 1, 1};
    const GLfloat towardViewer[] = {0, 0, 1, 0};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, towardViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    glClear(GL_COLOR_BUFFER_BIT);

    Model model;
    model.copyFrom(square.hand.descriptor(), 1);
    ASSERT_NE(model.textures[0], 0u);
    model.callList(0);

    const struct {
        int x, y;
        std::array<int, 3> color;
    } quadrants[] = {{16, 48, {255, 0, 0}}, {48, 48, {0, 255, 0}}, {16, 16, {0, 0, 255}}, {48, 16, {255, 255, 255}}};
    for (const auto& quadrant : quadrants) {
        const auto pixel = PixelAt(quadrant.x, quadrant.y);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], quadrant.color[c], 3) << quadrant.x << "," << quadrant.y << " channel " << c;
    }
    // All the mipmap levels are there, down to one texel.
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1);
}

TEST_F(TexturedModelTest, AMissingBitmapEndsTheProgramWithTheOpenMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string file = kTestData + "/textures/missing.bmp";
    TexturedSquare square(file);
    Model model;
    EXPECT_EXIT(model.copyFrom(square.hand.descriptor(), 1), testing::ExitedWithCode(kTextureFailureExitCode),
                "quillmoor: Failed to open DIB file .*/textures/missing\\.bmp\\.\n");
}

}  // namespace
