#pragma once
// Pictures, ImageMagick and hand-made bitmap files for the texture tests.

#include <cstdint>
#include <string>
#include <vector>

#include "models/RgbImage.h"

inline const std::string kTestData = QUILLMOOR_TEST_DATA;
inline const std::string kBmp2Png = QUILLMOOR_BMP2PNG;
// Debian's ImageMagick by its full name: a `convert` earlier on the PATH may
// be something else.
inline const std::string kImageMagick = "/usr/bin/convert";

// RGB pixels, top row first, as image files keep them.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};
Picture FromRgbImage(const RgbImage& image);
// The largest difference of one channel; 256 when the sizes differ.
int LargestDifference(const Picture& a, const Picture& b);

// Decodes image files in one ImageMagick run, through PPM files in `scratch`.
bool ReadWithImageMagick(const std::vector<std::string>& paths, const std::string& scratch,
                         std::vector<Picture>& pictures);
// The command's exit status (-1 when it did not run).
int RunCommand(const std::string& command);
// A whole file in a buffer of exactly its size: the address sanitizer sees
// any read past its end.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder for a test's files, removed with the object.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

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
