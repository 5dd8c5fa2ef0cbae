#include "platform/linux/FontGlyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

#include "scene/Gl.h"

namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

// The file fontconfig picks for the face, as the system's font mapper picks a
// substitute for a face it does not have.
bool MatchFont(const char* faceName, int pixelHeight, int weight, FontFile& font)
{
    if (!FcInit())
        return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName ? faceName : ""));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixelHeight);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    FcChar8* file = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
    if (found) {
        font.path = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &font.index) != FcResultMatch)
            font.index = 0;
    }
    FcPatternDestroy(match);
    return found;
}

// One glyph list: the glyph's one-bit bitmap, bottom row first, drawn from
// the raster position and advancing it by the glyph's width.
void CompileGlyph(FT_Face face, unsigned long code, GLuint list)
{
    static const GLubyte kNoPixels = 0;
    glNewList(list, GL_COMPILE);
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
        glEndList();
        return;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const GLfloat advance = static_cast<GLfloat>(slot->advance.x) / 64.0f;
    const int width = static_cast<int>(bitmap.width);
    const int rows = static_cast<int>(bitmap.rows);
    if (width == 0 || rows == 0 || bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        // Mesa drops a compiled glBitmap with a null image (out of memory),
        // which would lose the advance of blank glyphs: pass a dummy byte.
        glBitmap(0, 0, 0.0f, 0.0f, advance, 0.0f, &kNoPixels);
        glEndList();
        return;
    }
    const int rowBytes = (width + 7) / 8;
    std::vector<GLubyte> image(static_cast<size_t>(rowBytes) * static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        GLubyte* target = image.data() + static_cast<size_t>(rows - 1 - row) * rowBytes;
        for (int byte = 0; byte < rowBytes; ++byte)
            target[byte] = source[byte];
    }
    const GLfloat xOrigin = static_cast<GLfloat>(-slot->bitmap_left);
    const GLfloat yOrigin = static_cast<GLfloat>(rows - slot->bitmap_top);
    glBitmap(width, rows, xOrigin, yOrigin, advance, 0.0f, image.data());
    glEndList();
}

}  // namespace

bool BuildFontGlyphLists(const char* faceName, int pixelHeight, int weight, int firstChar, int count,
                         unsigned listBase)
{
    FontFile font;
    if (!MatchFont(faceName, pixelHeight, weight, font))
        return false;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, font.path.c_str(), font.index, &face) != 0) {
        FT_Done_FreeType(library);
        return false;
    }
    // The character height is the pixel height, as a negative font height
    // asks of the system's font mapper.
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight > 0 ? pixelHeight : 12));

    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int k = 0; k < count; ++k)
        CompileGlyph(face, static_cast<unsigned long>(firstChar + k), listBase + static_cast<GLuint>(k));
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return true;
}
