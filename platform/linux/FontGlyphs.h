#pragma once

// Builds bitmap-glyph display lists from the font fontconfig matches for a
// face name, rendered by FreeType: the Linux stand-in for the system's font
// bitmaps. Matches GlyphListBuilder.
bool BuildFontGlyphLists(const char* faceName, int pixelHeight, int weight, int firstChar, int count,
                         unsigned listBase);
