#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "show/Director.h"
#include "platform/offscreen/OffscreenContext.h"
#include "scene/DisplayScale.h"
#include "scene/FrameCamera.h"
#include "scene/Gl.h"
#include "scene/Scene.h"
#include "scene/TextFit.h"
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

namespace {

TEST(TextFit, MovesInJustEnoughAtTheRightAndBottomEdgesOnly)
{
    struct Case {
        PenPosition pen;
        int viewportWidth;
        PenPosition expected;
    };
    const TextExtent extent{63.0f, 12.0f, 3.0f};
    const Case cases[] = {
        {{257.9f, 10.9f}, 320, {257.9f, 10.9f}},   // ends exactly at the edge: untouched
        {{258.2f, 10.9f}, 320, {257.0f, 10.9f}},   // one pixel over
        {{300.0f, -4.0f}, 320, {257.0f, 3.0f}},    // both edges
        {{90.0f, 10.0f}, 40, {0.0f, 10.0f}},       // wider than the viewport: from its left edge
        {{-5.0f, 50.0f}, 320, {-5.0f, 50.0f}},     // the left and top edges are left alone
    };
    for (const Case& c : cases) {
        const PenPosition fitted = FitTextInViewport(c.pen, extent, c.viewportWidth);
        EXPECT_FLOAT_EQ(fitted.x, c.expected.x) << c.pen.x << "," << c.pen.y << " in " << c.viewportWidth;
        EXPECT_FLOAT_EQ(fitted.y, c.expected.y) << c.pen.x << "," << c.pen.y << " in " << c.viewportWidth;
    }
}

// The frame-rate text where the show prints it, in a window of each size, on
// a display of `dpi`.
struct PrintedText {
    std::vector<uint8_t> pixels;
    int lit = 0;
    int rightmost = -1;
    int lowest = -1;  // rows counted from the bottom, as GL reads them
    PenPosition pen;  // where the text started, in window pixels
};

enum class Drawing { kOverlay, kPlainRasterPosition };

PrintedText PrintFrameRate(int width, int height, Drawing drawing, int dpi = kBaseDpi)
{
    OffscreenContext context;
    std::string error;
    EXPECT_TRUE(context.Create(width, height, error)) << error;
    SetDisplayDpi(dpi);
    TextOverlay overlay(kOverlayFace, kOverlayPixelHeight, kOverlayWeight);
    SetDisplayDpi(kBaseDpi);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, static_cast<double>(width) / height, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    PlaceFrameCamera();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(0.6f, 0.6f, 0.5f);
    const char* text = "15.00 fps";
    if (drawing == Drawing::kOverlay) {
        overlay.DrawString(5.5f, -5.0f, text);
    } else {
        glListBase(overlay.glyphBase - TextOverlay::kFirstChar);
        glRasterPos2f(5.5f, -5.0f);
        glCallLists(9, GL_UNSIGNED_BYTE, text);
        glListBase(0);
    }
    GLfloat after[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
    glFinish();
    PrintedText printed;
    printed.pen = {after[0] - overlay.Measure(text).width, after[1]};
    printed.pixels = context.pixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (printed.pixels[(static_cast<size_t>(y) * width + x) * 4] != 0) {
                ++printed.lit;
                printed.rightmost = std::max(printed.rightmost, x);
                if (printed.lowest < 0)
                    printed.lowest = y;
            }
    return printed;
}

TEST_F(OverlayTest, FrameRateTextIsWholeAtEveryWindowSizeAndUnmovedWhereItFits)
{
    // kFarther: on a denser display the text starts that much farther from
    // the lower right corner than at 96 DPI. kWhole: only whole.
    enum Fit { kFits, kMovesLeft, kMovesUp, kFarther, kWhole };
    struct Case {
        int width, height;
        Fit fit;
        int dpi = kBaseDpi;
    };
    const Case cases[] = {
        {640, 480, kFits},     {800, 600, kFits}, {1920, 1080, kFits},
        {320, 240, kMovesLeft},  // the preview on Linux
        {152, 112, kMovesLeft},  // the preview on Windows
        {100, 300, kMovesLeft},  // taller than wide: the position lies right of the picture
        {300, 40, kMovesUp},     // so low the descenders would be cut
        {640, 480, kFarther, 192}, {1920, 1080, kFarther, 192},
        {320, 240, kMovesLeft, 192}, {300, 40, kMovesUp, 192},
        {800, 600, kWhole, 960},  // ten times the distance lies left of the window
    };
    std::map<int, int> wholeAt;  // lit pixels of the whole text, by DPI
    for (const Case& c : cases) {
        const std::string where = std::to_string(c.width) + "x" + std::to_string(c.height) + " at "
            + std::to_string(c.dpi) + " DPI";
        if (wholeAt.count(c.dpi) == 0)
            wholeAt[c.dpi] = PrintFrameRate(1920, 1080, Drawing::kOverlay, c.dpi).lit;
        const int whole = wholeAt[c.dpi];
        ASSERT_GT(whole, 40) << where;
        const PrintedText printed = PrintFrameRate(c.width, c.height, Drawing::kOverlay, c.dpi);
        EXPECT_EQ(printed.lit, whole) << where;
        if (c.fit == kWhole)
            continue;
        if (c.fit == kFarther) {
            const PrintedText base = PrintFrameRate(c.width, c.height, Drawing::kOverlay);
            const float scale = static_cast<float>(c.dpi) / kBaseDpi;
            EXPECT_NEAR(c.width - printed.pen.x, scale * (c.width - base.pen.x), 0.5f) << where;
            EXPECT_NEAR(printed.pen.y, scale * base.pen.y, 0.5f) << where;
            continue;
        }
        const PrintedText plain = PrintFrameRate(c.width, c.height, Drawing::kPlainRasterPosition, c.dpi);
        if (c.fit == kFits) {
            EXPECT_TRUE(printed.pixels == plain.pixels) << where;
            continue;
        }
        EXPECT_LT(plain.lit, whole) << where << ": the plain position is not cut";
        if (c.fit == kMovesLeft)
            EXPECT_GE(printed.rightmost, c.width - 4) << where << ": not at the right edge";
        else if (c.dpi == kBaseDpi)
            EXPECT_EQ(printed.rightmost, plain.rightmost) << where << ": moved sideways";
        else
            EXPECT_LE(printed.lowest, 2) << where << ": not at the bottom edge";
    }
}

}  // namespace
