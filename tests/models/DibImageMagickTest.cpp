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

using Random = std::mt19937;

int Between(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::uint8_t AnyByte(Random& random)
{
    return static_cast<std::uint8_t>(Between(random, 0, 255));
}

std::vector<std::uint32_t> AnyPalette(Random& random, size_t count)
{
    std::vector<std::uint32_t> palette(count);
    for (auto& color : palette)
        color = static_cast<std::uint32_t>(random()) & 0xFFFFFF;
    return palette;
}

// A picture of `colors` colours (0: any) to crop the bitmaps from.
std::vector<std::uint8_t> SourcePpm(int colors)
{
    Random random(static_cast<unsigned>(colors) + 1);
    const std::vector<std::uint32_t> palette = AnyPalette(random, colors ? colors : 1);
    const std::string header = "P6\n8 8\n255\n";
    std::vector<std::uint8_t> ppm(header.begin(), header.end());
    for (int i = 0; i < 64; ++i) {
        // Every palette colour appears, so that ImageMagick keeps them all.
        const std::uint32_t color = colors ? palette[i % colors] : static_cast<std::uint32_t>(random());
        ppm.insert(ppm.end(), {static_cast<std::uint8_t>(color >> 16), static_cast<std::uint8_t>(color >> 8),
                               static_cast<std::uint8_t>(color)});
    }
    return ppm;
}

// Rows of random pixels, each padded to 4 bytes.
std::vector<std::uint8_t> AnyRows(Random& random, int width, int height, int bitCount)
{
    std::vector<std::uint8_t> rows(static_cast<size_t>((bitCount * width + 31) / 32 * 4 * height));
    for (auto& byte : rows)
        byte = AnyByte(random);
    return rows;
}

// An RLE stream of every kind of code that keeps its pixels in the picture:
// repeated and literal runs, moves right and up, ends of line before the
// row is full, and the end of the bitmap.
std::vector<std::uint8_t> AnyRleStream(Random& random, int width, int height, bool four)
{
    std::vector<std::uint8_t> stream;
    int x = 0;
    for (int y = 0; y < height;) {
        if (x == 0 && width > 1 && Between(random, 0, 2) == 0) {
            const int dx = Between(random, 1, width - 1);
            const int dy = y + 1 < height ? Between(random, 0, 1) : 0;
            stream.insert(stream.end(), {0, 2, static_cast<std::uint8_t>(dx), static_cast<std::uint8_t>(dy)});
            x += dx;
            y += dy;
        }
        const int end = Between(random, 0, 3) == 0 ? Between(random, x, width) : width;
        while (x < end) {
            const int count = Between(random, 1, end - x);
            if (count >= 3 && Between(random, 0, 1)) {
                stream.insert(stream.end(), {0, static_cast<std::uint8_t>(count)});
                const int bytes = four ? (count + 1) / 2 : count;
                for (int k = 0; k < bytes + bytes % 2; ++k)
                    stream.push_back(AnyByte(random));
            } else {
                stream.insert(stream.end(), {static_cast<std::uint8_t>(count), AnyByte(random)});
            }
            x += count;
        }
        stream.insert(stream.end(), {0, 0});
        x = 0;
        ++y;
    }
    stream.insert(stream.end(), {0, 1});
    return stream;
}

struct Variant {
    const char* name;
    // Written by ImageMagick from a source of this many colours (0: any),
    // with these options and this format...
    int colors;
    const char* options;
    const char* format;
    // ... or made by hand.
    std::function<HandBitmap(Random&, int width, int height)> hand;
    // What the file must be.
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    std::uint32_t compression;
    // ImageMagick reads back the runs its RLE8 encoder puts past the end of
    // a row into the rows above; the system drops them. Compared with the
    // picture ImageMagick was given instead.
    bool withSource = false;
};

HandBitmap Made(int width, int height, std::uint16_t bitCount, std::uint32_t compression)
{
    HandBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitCount = bitCount;
    bitmap.compression = compression;
    return bitmap;
}

// Random 16- or 32-bit pixels with these masks (none: the default layout).
std::function<HandBitmap(Random&, int, int)> Direct(std::uint16_t bitCount, std::vector<std::uint32_t> masks)
{
    return [bitCount, masks](Random& random, int width, int height) {
        HandBitmap bitmap = Made(width, height, bitCount, masks.empty() ? kDibRgb : kDibBitFields);
        bitmap.masks = masks;
        bitmap.pixels = AnyRows(random, width, height, bitCount);
        return bitmap;
    };
}

std::function<HandBitmap(Random&, int, int)> Rle(bool four)
{
    return [four](Random& random, int width, int height) {
        HandBitmap bitmap = Made(width, height, four ? 4 : 8, four ? kDibRle4 : kDibRle8);
        bitmap.palette = AnyPalette(random, four ? 16 : 256);
        // Skipped pixels: black here, colour 0 in ImageMagick; colour 0 is black.
        bitmap.palette[0] = 0;
        bitmap.pixels = AnyRleStream(random, width, height, four);
        return bitmap;
    };
}

const Variant kVariants[] = {
    {"1 bit", 2, "-type palette -compress none", "BMP3", {}, 40, 1, kDibRgb},
    {"4 bits", 16, "-type palette -compress none", "BMP3", {}, 40, 4, kDibRgb},
    {"8 bits", 256, "-type palette -compress none", "BMP3", {}, 40, 8, kDibRgb},
    {"RLE8", 256, "-type palette -compress RLE", "BMP3", {}, 40, 8, kDibRle8, true},
    {"24 bits", 0, "-type truecolor", "BMP3", {}, 40, 24, kDibRgb},
    {"32 bits", 0, "-type truecoloralpha -define bmp3:alpha=true", "BMP3", {}, 40, 32, kDibRgb},
    {"core 1 bit", 2, "-type palette", "BMP2", {}, 12, 1, kDibRgb},
    {"core 4 bits", 16, "-type palette", "BMP2", {}, 12, 4, kDibRgb},
    {"core 8 bits", 256, "-type palette", "BMP2", {}, 12, 8, kDibRgb},
    {"core 24 bits", 0, "-type truecolor", "BMP2", {}, 12, 24, kDibRgb},
    // ImageMagick's 16-bit files with a 40-byte header announce bit fields
    // but leave out the masks.
    {"16 bits 5-5-5", 0, nullptr, nullptr, Direct(16, {}), 40, 16, kDibRgb},
    {"16 bits 5-5-5 fields", 0, nullptr, nullptr, Direct(16, {0x7C00, 0x03E0, 0x001F}), 40, 16, kDibBitFields},
    {"16 bits 5-6-5 fields", 0, nullptr, nullptr, Direct(16, {0xF800, 0x07E0, 0x001F}), 40, 16, kDibBitFields},
    {"32 bits with fields", 0, nullptr, nullptr, Direct(32, {0x000000FF, 0x0000FF00, 0x00FF0000}), 40, 32,
     kDibBitFields},
    {"RLE4", 0, nullptr, nullptr, Rle(true), 40, 4, kDibRle4},
    {"RLE8 with moves", 0, nullptr, nullptr, Rle(false), 40, 8, kDibRle8},
};

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The file's own header, and where a file without the file header would
// have its pixels: right after the masks and the colour table.
void CheckLayout(const std::vector<std::uint8_t>& file, const Variant& variant)
{
    ASSERT_GE(file.size(), 30u);
    const std::uint32_t headerSize = U32At(file, 14);
    ASSERT_EQ(headerSize, variant.headerSize);
    const bool core = headerSize == 12;
    const std::uint16_t bitCount = static_cast<std::uint16_t>(file[core ? 24 : 28] | file[core ? 25 : 29] << 8);
    ASSERT_EQ(bitCount, variant.bitCount);
    const std::uint32_t compression = core ? 0 : U32At(file, 30);
    ASSERT_EQ(compression, variant.compression);
    const std::uint32_t used = core ? 0 : U32At(file, 46);
    const std::uint32_t colors = used ? used : bitCount <= 8 ? 1u << bitCount : 0;
    const std::uint32_t tableEnd =
        14 + headerSize + (compression == kDibBitFields ? 12 : 0) + colors * (core ? 3 : 4);
    ASSERT_EQ(U32At(file, 10), tableEnd);
}

std::string Size(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

TEST(DibImageMagickTest, Bmp2PngGivesImageMagicksPictureForEveryDepthAndCompression)
{
    ScratchFolder folder;
    for (int colors : {0, 2, 16, 256})
        WriteBytes(folder / ("source" + std::to_string(colors) + ".ppm"), SourcePpm(colors));
    const int widths[] = {1, 2, 3, 4, 5};
    const int heights[] = {1, 3, 5};

    // Every file is written first; then one bmp2png run converts them all and
    // one ImageMagick run decodes them all.
    std::vector<std::string> names, stems, expectedFiles;
    for (size_t v = 0; v < std::size(kVariants); ++v) {
        const Variant& variant = kVariants[v];
        if (!variant.hand) {
            std::string command = kImageMagick + " '" + folder / ("source" + std::to_string(variant.colors))
                + ".ppm' " + variant.options;
            for (int width : widths)
                for (int height : heights) {
                    const std::string stem = folder / (std::to_string(v) + "-" + Size(width, height));
                    command += " \\( +clone -crop " + Size(width, height) + "+0+0 +repage -write " + variant.format
                        + ":'" + stem + "-with.bmp' -write '" + stem + "-source.png' +delete \\)";
                }
            ASSERT_EQ(RunCommand(command + " null:"), 0) << variant.name;
        }
        for (int width : widths)
            for (int height : heights) {
                const std::string name = std::string(variant.name) + " " + Size(width, height);
                SCOPED_TRACE(name);
                const std::string stem = folder / (std::to_string(v) + "-" + Size(width, height));
                std::vector<std::uint8_t> file;
                if (variant.hand) {
                    Random random(static_cast<unsigned>(width * 16 + height));
                    HandBitmap bitmap = variant.hand(random, width, height);
                    file = bitmap.Bytes();
                    bitmap.fileHeader = false;
                    WriteBytes(stem + "-with.bmp", file);
                    WriteBytes(stem + "-without.bmp", bitmap.Bytes());
                } else {
                    file = ReadBytes(stem + "-with.bmp");
                    ASSERT_GT(file.size(), 14u);
                    WriteBytes(stem + "-without.bmp", std::vector<std::uint8_t>(file.begin() + 14, file.end()));
                }
                CheckLayout(file, variant);
                names.push_back(name);
                stems.push_back(stem);
                expectedFiles.push_back(stem + (variant.withSource ? "-source.png" : "-with.bmp"));
            }
    }

    std::string convert = kBmp2Png;
    for (const std::string& stem : stems)
        for (const char* header : {"-with", "-without"})
            convert += " '" + stem + header + ".bmp' '" + stem + header + ".png'";
    EXPECT_EQ(RunCommand(convert), 0);
    std::vector<Picture> expected;
    ASSERT_TRUE(ReadAllWithImageMagick(expectedFiles, folder.path, expected));

    for (size_t i = 0; i < stems.size(); ++i) {
        SCOPED_TRACE(names[i]);
        for (const char* header : {"-with", "-without"}) {
            Picture made;
            ASSERT_TRUE(ReadPng(stems[i] + header + ".png", made)) << header;
            EXPECT_EQ(LargestDifference(made, expected[i]), 0) << header;
        }
    }
    EXPECT_EQ(stems.size(), std::size(widths) * std::size(heights) * std::size(kVariants));
}

}  // namespace
