#pragma once
#include <windows.h>

// Builds bitmap-glyph display lists from a GDI font with wglUseFontBitmapsA,
// on the device context of the saver window (which must exist). Matches
// GlyphListBuilder.
bool BuildWglGlyphLists(const char* faceName, int pixelHeight, int weight, int firstChar, int count,
                        unsigned listBase);

// The same on a given device context, with its font selection restored after.
bool BuildWglGlyphListsOn(HDC dc, const char* faceName, int pixelHeight, int weight, int firstChar, int count,
                          unsigned listBase);
