#include <gtest/gtest.h>

#include <string>

#include "show/Director.h"
#include "scene/DisplayScale.h"
#include "scene/Gl.h"
#include "scene/TextOverlay.h"
#include "platform/linux/FontGlyphs.h"
#include "tests/support/GlTest.h"

namespace {

std::string Format(const char* format, double value)
{
    char buffer[TextOverlay::kBufferSize];
    FormatOverlayText(buffer, format, value);
    return buffer;
}

TEST(FrameRateText, PadsToFiveCharactersWithTwoDecimals)
{
    EXPECT_EQ(Format(kFrameRateFormat, 15.0), "15.00 fps");
    EXPECT_EQ(Format(kFrameRateFormat, 9.5), " 9.50 fps");
    EXPECT_EQ(Format(kFrameRateFormat, 24.0), "24.00 fps");
    EXPECT_EQ(Format(kFrameRateFormat, 123.456), "123.46 fps");
    EXPECT_EQ(Format(kFrameRateFormat, 0.004), " 0.00 fps");
}

TEST(FrameRateText, OverlongTextIsCutAtTheBuffer)
{
    char buffer[TextOverlay::kBufferSize];
    const std::string longText(1000, 'x');
    FormatOverlayText(buffer, "%s!", longText.c_str());
    EXPECT_EQ(std::string(buffer), std::string(255, 'x'));
}

class OverlayTest : public GlTest {};

void ReadMatrices(GLfloat (&projection)[16], GLfloat (&modelview)[16])
{
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
}

TEST_F(OverlayTest, Overlay2DRestoresBothMatricesAndTheMode)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 4.0 / 3.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    GLfloat projection[16], modelview[16];
    ReadMatrices(projection, modelview);

    BeginOverlay2D();
    GLfloat inside[16], insideModelview[16];
    ReadMatrices(inside, insideModelview);
    // 640 x 480, origin top left, y down.
    EXPECT_FLOAT_EQ(inside[0], 2.0f / 640.0f);
    EXPECT_FLOAT_EQ(inside[5], -2.0f / 480.0f);
    EXPECT_FLOAT_EQ(insideModelview[12], 0.0f);
    glMatrixMode(GL_PROJECTION);  // callers may leave either mode current
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    EndOverlay2D();

    GLfloat after[16], afterModelview[16];
    ReadMatrices(after, afterModelview);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(after[i], projection[i]);
        EXPECT_FLOAT_EQ(afterModelview[i], modelview[i]);
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(OverlayTest, BuildsNinetySixGlyphListsAndDeletesThem)
{
    unsigned base = 0;
    {
        TextOverlay overlay("Courrier New", 12, 400);
        base = overlay.glyphBase;
        ASSERT_NE(base, 0u);
        for (unsigned k = 0; k < 96; ++k)
            EXPECT_TRUE(glIsList(base + k)) << k;
    }
    EXPECT_FALSE(glIsList(base));
    EXPECT_FALSE(glIsList(base + 95));
}

TEST_F(OverlayTest, EmptyStringLeavesTheRasterPositionWhereItWas)
{
    TextOverlay overlay("Courrier New", 12, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRasterPos2f(20.0f, 30.0f);
    overlay.DrawString(70.0f, 80.0f, "");
    overlay.DrawString(70.0f, 80.0f, nullptr);
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    EXPECT_FLOAT_EQ(position[0], 20.0f);
    EXPECT_FLOAT_EQ(position[1], 30.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OverlayTest, TextAdvancesTheRasterPositionGlyphByGlyph)
{
    TextOverlay overlay("Courrier New", 12, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    GLfloat position[4] = {};
    overlay.DrawString(10.0f, 10.0f, "a b");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    const float withSpace = position[0] - 10.0f;
    overlay.DrawString(10.0f, 10.0f, "ab");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    const float withoutSpace = position[0] - 10.0f;
    EXPECT_GT(withoutSpace, 8.0f);
    // The blank glyph has no pixels but still moves the pen.
    EXPECT_GT(withSpace, withoutSpace + 2.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    GLint listBase = -1;
    glGetIntegerv(GL_LIST_BASE, &listBase);
    EXPECT_EQ(listBase, 0);
}

TEST_F(OverlayTest, CodesOutsideTheGlyphBlockDrawAsBlanks)
{
    TextOverlay overlay("Courrier New", 12, 400);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    GLfloat spaced[4] = {}, odd[4] = {};
    overlay.DrawString(10.0f, 10.0f, "a b");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, spaced);
    overlay.DrawString(10.0f, 10.0f, "a\x01" "b");
    glGetFloatv(GL_CURRENT_RASTER_POSITION, odd);
    EXPECT_FLOAT_EQ(odd[0], spaced[0]);
}

int builtHeight = 0;

bool RecordHeight(const char*, int pixelHeight, int, int, int, unsigned)
{
    builtHeight = pixelHeight;
    return true;
}

TEST_F(OverlayTest, GlyphsAreBuiltAtTheDisplaysDensity)
{
    SetGlyphListBuilder(RecordHeight);
    const int dpis[] = {kBaseDpi, 192, kBaseDpi};
    const int heights[] = {12, 24, 12};
    for (int i = 0; i < 3; ++i) {
        SetDisplayDpi(dpis[i]);
        TextOverlay overlay("Courrier New", 12, 400);
        EXPECT_EQ(builtHeight, heights[i]) << dpis[i] << " DPI";
    }
    SetGlyphListBuilder(BuildFontGlyphLists);
}

}  // namespace
