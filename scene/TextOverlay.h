#pragma once

#include <cstddef>

#include "scene/TextFit.h"

// Builds `count` consecutive bitmap-glyph display lists starting at
// `listBase`, one per character code from `firstChar`, from the system font
// that best matches the face name, pixel height (of the characters, not the
// cell) and weight. Each list draws its glyph at the raster position and
// advances it by the glyph's width. Returns false when no font was found;
// the lists then stay empty. The window-system backends provide it.
using GlyphListBuilder = bool (*)(const char* faceName, int pixelHeight, int weight,
                                  int firstChar, int count, unsigned listBase);
void SetGlyphListBuilder(GlyphListBuilder builder);

// Printable ASCII text drawn with bitmap glyph display lists.
class TextOverlay {
public:
    static constexpr int kFirstChar = 32;
    static constexpr int kGlyphCount = 96;
    static constexpr std::size_t kBufferSize = 256;

    // `pixelHeight` is at 96 DPI; the glyphs are built at the display's
    // density (DisplayDpi).
    TextOverlay(const char* faceName, int pixelHeight, int weight);
    ~TextOverlay();
    TextOverlay(const TextOverlay&) = delete;
    TextOverlay& operator=(const TextOverlay&) = delete;

    // printf-style; a result longer than 255 characters is cut there.
    void Print(float x, float y, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    // Draws `text` from the raster position (x, y) in the current object
    // coordinates; on a denser display than 96 DPI its distance from the
    // viewport's lower right corner grows as the text does. Where the
    // viewport's right or bottom edge would cut it, it moves in just enough
    // to be whole.
    void DrawString(float x, float y, const char* text);

    // The room `text` takes: its glyphs' advance widths, measured when the
    // glyphs were built, and the font's pixel height.
    TextExtent Measure(const char* text) const;

    unsigned glyphBase = 0;

private:
    void MeasureAdvances();
    // Moves the raster position set for (x, y) so that text of `extent` is
    // not cut at the viewport's right or bottom edge.
    void KeepInViewport(float x, float y, const TextExtent& extent) const;

    int dpi_ = 0;
    int pixelHeight_ = 0;
    float advances_[kGlyphCount] = {};
};

// Formats like snprintf into the overlay's 256-character buffer. Exposed for
// tests of the cut.
void FormatOverlayText(char (&buffer)[TextOverlay::kBufferSize], const char* format, ...);

// A fixed 640 x 480 screen space, origin top left, y down; always paired.
void BeginOverlay2D();
void EndOverlay2D();
