#include "scene/TextOverlay.h"

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

TextOverlay::TextOverlay(const char* faceName, int pixelHeight, int weight)
{
    glyphBase = glGenLists(kGlyphCount);
    // The height is at 96 DPI; the glyphs are as tall on the display's inch.
    const int displayHeight = static_cast<int>(ScaleToDpi(pixelHeight, DisplayDpi()));
    if (glyphBase != 0 && glyphBuilder)
        glyphBuilder(faceName, displayHeight, weight, kFirstChar, kGlyphCount, glyphBase);
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
