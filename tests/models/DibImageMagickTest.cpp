// bmp2png against ImageMagick: bitmaps of every depth and compression the
// loader reads, at widths 1 to 5 and odd heights, with and without the file
// header, give ImageMagick's own picture pixel for pixel. ImageMagick writes
// what it can; the rest is made by hand.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "models/DibFile.h"
#include "tests/models/BitmapTestSupport.h"

namespace {

using Random = BitmapRandom;
using HandMade = std::function<HandBitmap(Random&, int width, int height)>;

// Random pixels with these masks (none: the default layout), or an RLE
// stream with its colour 0 black: ImageMagick gives skipped pixels colour 0,
// the system black.
HandBitmap Made(int width, int height, std::uint16_t bitCount, std::uint32_t compression)
{
    HandBitmap bitmap;
    bitmap.width = width, bitmap.height = height, bitmap.bitCount = bitCount, bitmap.compression = compression;
    return bitmap;
}

HandMade Direct(std::uint16_t bitCount, std::vector<std::uint32_t> masks)
{
    return [=](Random& random, int width, int height) {
        HandBitmap bitmap = Made(width, height, bitCount, masks.empty() ? kDibRgb : kDibBitFields);
        bitmap.masks = masks;
        bitmap.pixels.resize(static_cast<size_t>((bitCount * width + 31) / 32 * 4 * height));
        for (auto& byte : bitmap.pixels)
            byte = static_cast<std::uint8_t>(random());
        return bitmap;
    };
}

HandMade Rle(bool four)
{
    return [=](Random& random, int width, int height) {
        HandBitmap bitmap = Made(width, height, four ? 4 : 8, four ? kDibRle4 : kDibRle8);
        for (int i = 0; i < (four ? 16 : 256); ++i)
            bitmap.palette.push_back(i ? random() & 0xFFFFFF : 0);
        bitmap.pixels = AnyRleStream(random, width, height, four);
        return bitmap;
    };
}

struct Variant {
    const char* name;
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    std::uint32_t compression;
    // Written by ImageMagick from a source of 2, 16 or any (0) colours...
    int colors;
    const char* options;
    const char* format;
    // ... or made by hand.
    HandMade hand;
    // ImageMagick reads the runs its RLE8 encoder writes past the end of a
    // row into the rows above; the system drops them. Compared with the
    // picture ImageMagick was given instead.
    bool withSource = false;
};

const Variant kVariants[] = {
    {"1 bit", 40, 1, kDibRgb, 2, "-type palette -compress none", "BMP3", {}},
    {"4 bits", 40, 4, kDibRgb, 16, "-type palette -compress none", "BMP3", {}},
    {"8 bits", 40, 8, kDibRgb, 0, "-type palette -compress none", "BMP3", {}},
    {"RLE8", 40, 8, kDibRle8, 0, "-type palette -compress RLE", "BMP3", {}, true},
    {"24 bits", 40, 24, kDibRgb, 0, "-type truecolor", "BMP3", {}},
    {"32 bits", 40, 32, kDibRgb, 0, "-type truecoloralpha -define bmp3:alpha=true", "BMP3", {}},
    {"core 1 bit", 12, 1, kDibRgb, 2, "-type palette", "BMP2", {}},
    {"core 4 bits", 12, 4, kDibRgb, 16, "-type palette", "BMP2", {}},
    {"core 8 bits", 12, 8, kDibRgb, 0, "-type palette", "BMP2", {}},
    {"core 24 bits", 12, 24, kDibRgb, 0, "-type truecolor", "BMP2", {}},
    // ImageMagick's 16-bit files with a 40-byte header promise masks they lack.
    {"16 bits 5-5-5", 40, 16, kDibRgb, 0, nullptr, nullptr, Direct(16, {})},
    {"16 bits 5-5-5 fields", 40, 16, kDibBitFields, 0, nullptr, nullptr, Direct(16, {0x7C00, 0x03E0, 0x001F})},
    {"16 bits 5-6-5 fields", 40, 16, kDibBitFields, 0, nullptr, nullptr, Direct(16, {0xF800, 0x07E0, 0x001F})},
    {"32 bits with fields", 40, 32, kDibBitFields, 0, nullptr, nullptr, Direct(32, {0xFF, 0xFF00, 0xFF0000})},
    {"RLE4", 40, 4, kDibRle4, 0, nullptr, nullptr, Rle(true)},
    {"RLE8 with moves", 40, 8, kDibRle8, 0, nullptr, nullptr, Rle(false)},
};

// The header size, bit count and compression the file must have.
std::string Format(const std::vector<std::uint8_t>& file)
{
    const bool core = file.size() > 14 && file[14] == 12;
    if (file.size() < (core ? 26u : 34u))
        return "short";
    return std::to_string(file[14]) + "," + std::to_string(file[core ? 24 : 28]) + "," + std::to_string(core ? 0 : file[30]);
}

TEST(DibImageMagickTest, Bmp2PngGivesImageMagicksPictureForEveryDepthAndCompression)
{
    ScratchFolder folder;
    Random random(7);
    for (int colors : {0, 2, 16}) {
        // The first `colors` pixels repeat, so the source has that many colours.
        std::string ppm = "P6\n8 8\n255\n";
        for (int i = 0; i < 64 * 3; ++i)
            ppm += static_cast<char>(colors && i >= 3 * colors ? ppm[11 + i % (3 * colors)] : random());
        WriteBytes(folder / ("source" + std::to_string(colors) + ".ppm"), {ppm.begin(), ppm.end()});
    }

    // Every file is written first; then one bmp2png run converts them all and
    // one ImageMagick run decodes them all.
    std::vector<std::string> names, stems, expected;
    for (size_t v = 0; v < std::size(kVariants); ++v) {
        const Variant& variant = kVariants[v];
        std::string write = kImageMagick + " '" + folder / ("source" + std::to_string(variant.colors)) + ".ppm' "
            + (variant.options ? variant.options : "");
        for (int width = 1; width <= 5; ++width)
            for (int height : {1, 3, 5}) {
                const std::string size = std::to_string(width) + "x" + std::to_string(height);
                const std::string stem = folder / (std::to_string(v) + "-" + size);
                names.push_back(std::string(variant.name) + " " + size);
                stems.push_back(stem);
                expected.push_back(stem + (variant.withSource ? "-source.png" : "-with.bmp"));
                write += " \\( +clone -crop " + size + "+0+0 +repage -write " + (variant.format ? variant.format : "")
                    + ":'" + stem + "-with.bmp' -write '" + stem + "-source.png' +delete \\)";
                if (variant.hand) {
                    Random pixels(static_cast<unsigned>(16 * width + height));
                    HandBitmap bitmap = variant.hand(pixels, width, height);
                    WriteBytes(stem + "-with.bmp", bitmap.Bytes());
                    bitmap.fileHeader = false;
                    WriteBytes(stem + "-without.bmp", bitmap.Bytes());
                }
            }
        if (!variant.hand) {
            ASSERT_EQ(RunCommand(write + " null:"), 0) << variant.name;
        }
    }

    std::string convert = kBmp2Png;
    for (size_t i = 0; i < stems.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const Variant& variant = kVariants[i / 15];
        const std::vector<std::uint8_t> file = ReadBytes(stems[i] + "-with.bmp");
        EXPECT_EQ(Format(file), std::to_string(variant.headerSize) + "," + std::to_string(variant.bitCount) + ","
                                    + std::to_string(variant.compression));
        if (!variant.hand && file.size() > 14)
            WriteBytes(stems[i] + "-without.bmp", {file.begin() + 14, file.end()});
        for (const char* header : {"-with", "-without"}) {
            convert += " '" + stems[i] + header + ".bmp' '" + stems[i] + header + ".png'";
            expected.push_back(stems[i] + header + ".png");
        }
    }
    EXPECT_EQ(RunCommand(convert), 0);
    std::vector<Picture> pictures;
    ASSERT_TRUE(ReadWithImageMagick(expected, folder.path, pictures));
    for (size_t i = 0; i < stems.size(); ++i) {
        EXPECT_EQ(LargestDifference(pictures[stems.size() + 2 * i], pictures[i]), 0) << names[i] << ", file header";
        EXPECT_EQ(LargestDifference(pictures[stems.size() + 2 * i + 1], pictures[i]), 0) << names[i] << ", none";
    }
}

}  // namespace
