#include "scene/TextOverlay.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "scene/DisplayScale.h"
#include "scene/Gl.h"

namespace {

GlyphListBuilder glyphBuilder = nullptr;

void FormatInto(char (&buffer)[TextOverlay::kBufferSize], const char* format, va_list args)
{
    const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (written < 0)
        buffer[0] = '\0';
}

}  // namespace

void SetGlyphListBuilder(GlyphListBuilder builder)
{
    glyphBuilder = builder;
}

// The height is at 96 DPI; the glyphs are as tall on the display's inch.
TextOverlay::TextOverlay(const char* faceName, int pixelHeight, int weight)
    : dpi_(DisplayDpi()), pixelHeight_(static_cast<int>(ScaleToDpi(pixelHeight, dpi_)))
{
    glyphBase = glGenLists(kGlyphCount);
    if (glyphBase == 0)
        return;
    if (glyphBuilder)
        glyphBuilder(faceName, pixelHeight_, weight, kFirstChar, kGlyphCount, glyphBase);
    MeasureAdvances();
}

// Each glyph's advance is how far it moves the raster position; it is read
// back once, in feedback mode, where bitmaps move the raster position but
// draw nothing: drawing them, even with every write masked, made the driver
// build a bitmap shader of its own at start-up (some 30 ms with llvmpipe).
void TextOverlay::MeasureAdvances()
{
    glPushAttrib(GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    // Room for every glyph's bitmap token and position; what does not fit is
    // dropped, which changes nothing here.
    GLfloat feedback[kGlyphCount * 4];
    glFeedbackBuffer(kGlyphCount * 4, GL_2D, feedback);
    glRenderMode(GL_FEEDBACK);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (int k = 0; k < kGlyphCount; ++k) {
        GLfloat before[4] = {}, after[4] = {};
        glRasterPos2f(0.0f, 0.0f);
        glGetFloatv(GL_CURRENT_RASTER_POSITION, before);
        glCallList(glyphBase + static_cast<GLuint>(k));
        glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
        advances_[k] = after[0] - before[0];
    }
    glRenderMode(GL_RENDER);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

TextExtent TextOverlay::Measure(const char* text) const
{
    TextExtent extent;
    for (const char* next = text; next && *next; ++next) {
        const unsigned char c = static_cast<unsigned char>(*next);
        const bool glyph = c >= kFirstChar && c < kFirstChar + kGlyphCount;
        extent.width += advances_[(glyph ? c : ' ') - kFirstChar];
    }
    // The pixel height is the characters' height; descenders take about a
    // quarter of it below the baseline.
    extent.ascent = static_cast<float>(pixelHeight_);
    extent.descent = std::ceil(static_cast<float>(pixelHeight_) * 0.25f);
    return extent;
}

void TextOverlay::KeepInViewport(float x, float y, const TextExtent& extent) const
{
    GLint viewport[4] = {};
    GLdouble modelview[16] = {}, projection[16] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    // (x, y, 0, 1) through both matrices into clip coordinates.
    double eye[4], clip[4];
    for (int row = 0; row < 4; ++row)
        eye[row] = modelview[row] * x + modelview[4 + row] * y + modelview[12 + row];
    for (int row = 0; row < 4; ++row)
        clip[row] = projection[row] * eye[0] + projection[4 + row] * eye[1] + projection[8 + row] * eye[2]
            + projection[12 + row] * eye[3];
    // Behind the eye or outside the depth range: nothing to draw, as before.
    if (!(clip[3] > 0.0) || clip[2] < -clip[3] || clip[2] > clip[3] || viewport[2] <= 0 || viewport[3] <= 0)
        return;
    const PenPosition pen{static_cast<float>((clip[0] / clip[3] + 1.0) * 0.5 * viewport[2]),
                          static_cast<float>((clip[1] / clip[3] + 1.0) * 0.5 * viewport[3])};
    const PenPosition placed = ScaleCornerDistance(pen, viewport[2], viewport[3], dpi_);
    const PenPosition fitted = FitTextInViewport(placed, extent, viewport[2]);
    if (fitted.x == pen.x && fitted.y == pen.y)
        return;
    // The same depth at the fitted window position; a quarter pixel in from
    // an edge it was moved in from keeps rounding from putting it back over.
    const float x2 = fitted.x == placed.x ? placed.x : fitted.x + 0.25f;
    const float y2 = fitted.y == placed.y ? placed.y : fitted.y + 0.25f;
    glPushAttrib(GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos3f(x2, y2, static_cast<GLfloat>(-clip[2] / clip[3]));
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

TextOverlay::~TextOverlay()
{
    if (glyphBase != 0)
        glDeleteLists(glyphBase, kGlyphCount);
}

void FormatOverlayText(char (&buffer)[TextOverlay::kBufferSize], const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatInto(buffer, format, args);
    va_end(args);
}

void TextOverlay::Print(float x, float y, const char* format, ...)
{
    char buffer[kBufferSize];
    va_list args;
    va_start(args, format);
    FormatInto(buffer, format, args);
    va_end(args);
    DrawString(x, y, buffer);
}

void TextOverlay::DrawString(float x, float y, const char* text)
{
    if (!text || !*text)
        return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(glyphBase - kFirstChar);
    glRasterPos2f(x, y);
    KeepInViewport(x, y, Measure(text));
    // Codes outside 32..127 would select lists that are not glyphs; they
    // show as blanks instead.
    char safe[kBufferSize];
    for (const char* next = text; *next;) {
        std::size_t length = 0;
        for (; next[length] && length < sizeof safe; ++length) {
            const unsigned char c = static_cast<unsigned char>(next[length]);
            safe[length] = (c >= kFirstChar && c < kFirstChar + kGlyphCount) ? static_cast<char>(c) : ' ';
        }
        glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, safe);
        next += length;
    }
    glPopAttrib();
}

void BeginOverlay2D()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 640.0, 480.0, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void EndOverlay2D()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
