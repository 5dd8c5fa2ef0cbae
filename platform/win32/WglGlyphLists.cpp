#include "platform/win32/WglGlyphLists.h"

#include <windows.h>

#include "platform/win32/Win32SaverWindow.h"
#include "scene/Gl.h"

namespace {

// Some GL drivers (Mesa, under Wine) drop a compiled glBitmap whose image
// pointer is null with GL_OUT_OF_MEMORY, so the space glyph, which has no
// pixels, would not advance the raster position. Rebuild it with a dummy
// image byte and the space's width, and clear the error the drop left.
void RebuildSpaceGlyph(HDC dc, int firstChar, int count, unsigned listBase)
{
    const int space = ' ';
    if (space < firstChar || space >= firstChar + count)
        return;
    INT width = 0;
    if (!GetCharWidth32A(dc, space, space, &width)) {
        SIZE extent{};
        if (!GetTextExtentPoint32A(dc, " ", 1, &extent))
            return;
        width = extent.cx;
    }
    static const GLubyte kNoPixels = 0;
    glNewList(listBase + static_cast<unsigned>(space - firstChar), GL_COMPILE);
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<GLfloat>(width), 0.0f, &kNoPixels);
    glEndList();
    glGetError();
}

}  // namespace

bool BuildWglGlyphListsOn(HDC dc, const char* faceName, int pixelHeight, int weight, int firstChar, int count,
                          unsigned listBase)
{
    // A negative height asks for the character height, not the cell height.
    const HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    const bool built = wglUseFontBitmapsA(dc, static_cast<DWORD>(firstChar), static_cast<DWORD>(count), listBase);
    if (built)
        RebuildSpaceGlyph(dc, firstChar, count, listBase);
    if (font) {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    return built && font;
}

bool BuildWglGlyphLists(const char* faceName, int pixelHeight, int weight, int firstChar, int count,
                        unsigned listBase)
{
    const HWND window = SaverWindowHandle();
    const HDC dc = window ? GetDC(window) : nullptr;
    if (!dc)
        return false;
    const bool built = BuildWglGlyphListsOn(dc, faceName, pixelHeight, weight, firstChar, count, listBase);
    ReleaseDC(window, dc);
    return built;
}
