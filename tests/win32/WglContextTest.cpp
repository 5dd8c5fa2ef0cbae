// The saver's pixel format and the frame-rate font's glyph lists on a real
// WGL context (Mesa under Wine in CI, where both need mending).
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/WglGlyphLists.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "tests/win32/WglContext.h"

namespace {

TEST(SaverPixelFormat, DoubleBufferedRgbaWithTheDepthBufferTheSceneTestsAgainst)
{
    WglContext gl;
    ASSERT_NE(gl.format, 0);
    PIXELFORMATDESCRIPTOR chosen{};
    ASSERT_NE(DescribePixelFormat(gl.dc, gl.format, sizeof chosen, &chosen), 0);
    EXPECT_EQ(chosen.iPixelType, PFD_TYPE_RGBA);
    EXPECT_TRUE(chosen.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(chosen.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_GT(chosen.cDepthBits, 0);
    ASSERT_NE(gl.context, nullptr);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GT(depthBits, 0);
}

// How far a glyph list moves the raster position.
float Advance(GLuint list)
{
    glRasterPos2f(-1.0f, -1.0f);
    GLfloat before[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
    glCallList(list);
    GLfloat after[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    return after[0] - before[0];
}

TEST(WglGlyphLists, EveryGlyphAdvancesTheSpaceIncludedAndNoErrorIsLeft)
{
    WglContext gl;
    ASSERT_NE(gl.context, nullptr) << "no WGL context (are the 32-bit GL libraries installed?)";
    const GLuint base = glGenLists(96);
    ASSERT_NE(base, 0u);
    ASSERT_TRUE(BuildWglGlyphListsOn(gl.dc, kOverlayFace, kOverlayPixelHeight, kOverlayWeight, 32, 96, base));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const float space = Advance(base + (' ' - 32));
    EXPECT_GT(space, 0.0f) << "the space glyph must move the raster position";
    EXPECT_LT(space, 12.0f);
    for (char c : {'0', '9', '.', 'f', 'p', 's'})
        EXPECT_GT(Advance(base + static_cast<GLuint>(c - 32)), 0.0f) << c;
    glDeleteLists(base, 96);
}

}  // namespace
