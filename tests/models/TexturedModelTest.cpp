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
    const std::string bitmap = kTestData + "/textures/quadrants.bmp";
    ASSERT_LT(bitmap.size(), sizeof(Material::textureFile));
    TexturedSquare square(bitmap);
    Model model;
    DrawLitTexturedSquare(square, model);
    for (const QuadrantPixel& at : kQuadrantPixels) {
        const auto pixel = PixelAt(at.x, at.y);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], at.rgb[c], 3) << at.x << "," << at.y << " channel " << c;
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
