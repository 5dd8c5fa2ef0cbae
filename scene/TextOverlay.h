#pragma once

#include <cstddef>

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
    void DrawString(float x, float y, const char* text);

    unsigned glyphBase = 0;
};

// Formats like snprintf into the overlay's 256-character buffer. Exposed for
// tests of the cut.
void FormatOverlayText(char (&buffer)[TextOverlay::kBufferSize], const char* format, ...);

// A fixed 640 x 480 screen space, origin top left, y down; always paired.
void BeginOverlay2D();
void EndOverlay2D();
