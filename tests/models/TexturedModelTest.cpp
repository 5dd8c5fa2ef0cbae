// A model whose material names a bitmap file, compiled with the loader every
// program has, drawn into real pixels.
#include <cstring>
#include <string>

#include "models/Model.h"
#include "models/TextureLoader.h"
#include "tests/models/BitmapTestSupport.h"
#include "tests/models/HandModels.h"
#include "tests/support/GlTest.h"

namespace {

class TexturedModelTest : public GlTest {
protected:
    TexturedModelTest() : GlTest(64, 64) {}
};

TEST_F(TexturedModelTest, MaterialBitmapIsDrawnOnTheModel)
{
    // quadrants.bmp: red and green above, blue and white below.
    const std::string bitmap = kTestData + "/textures/quadrants.bmp";
    ASSERT_LT(bitmap.size(), sizeof(Material::textureFile));
    TexturedSquare square(bitmap);

    // A white light straight at the square: lit texels keep their colour.
    const GLfloat white[] = {1, 1, 1, 1}, towardViewer[] = {0, 0, 1, 0};
    glOrtho(-1, 1, -1, 1, -1, 1);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, towardViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    Model model;
    model.copyFrom(square.hand.descriptor(), 1);
    model.callList(0);

    const struct {
        int x, y, red, green, blue;
    } quadrants[] = {{16, 48, 255, 0, 0}, {48, 48, 0, 255, 0}, {16, 16, 0, 0, 255}, {48, 16, 255, 255, 255}};
    for (const auto& at : quadrants) {
        const auto pixel = PixelAt(at.x, at.y);
        EXPECT_NEAR(pixel[0], at.red, 3) << at.x << "," << at.y;
        EXPECT_NEAR(pixel[1], at.green, 3) << at.x << "," << at.y;
        EXPECT_NEAR(pixel[2], at.blue, 3) << at.x << "," << at.y;
    }
    // Every mipmap level is made, down to one texel.
    GLint smallest = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &smallest);
    EXPECT_EQ(smallest, 1);
}

TEST_F(TexturedModelTest, AMissingBitmapEndsTheProgramWithTheOpenMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TexturedSquare square(kTestData + "/textures/missing.bmp");
    Model model;
    EXPECT_EXIT(model.copyFrom(square.hand.descriptor(), 1), testing::ExitedWithCode(kTextureFailureExitCode),
                "quillmoor: Failed to open DIB file .*/textures/missing\\.bmp\\.\n");
}

}  // namespace
