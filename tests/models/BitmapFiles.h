#pragma once
// Bitmap files for the texture tests on every platform: files read and
// written whole, bitmaps made field by field, random RLE streams.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// A whole file in a buffer of exactly its size: the address sanitizer sees
// any read past its end.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A bitmap file made field by field: the variants ImageMagick does not write,
// and broken files.
struct HandBitmap {
    std::uint32_t headerSize = 40;  // 12: the core header
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::vector<std::uint32_t> masks;    // after the header
    std::vector<std::uint32_t> palette;  // 0xRRGGBB
    std::vector<std::uint8_t> pixels;    // as stored
    bool fileHeader = true;
    std::uint32_t pixelOffset = 0;  // in the file header; 0: right after the colour table

    std::vector<std::uint8_t> Bytes() const;
};

using BitmapRandom = std::mt19937;

// An RLE8 or RLE4 stream of every code that keeps its pixels in the picture:
// repeated and literal runs, moves right and up, lines ended early, end of
// bitmap.
std::vector<std::uint8_t> AnyRleStream(BitmapRandom& random, int width, int height, bool four);
