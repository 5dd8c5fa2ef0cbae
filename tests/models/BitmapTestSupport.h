#pragma once
// Pictures, ImageMagick and the test data for the Linux texture tests.

#include <cstdint>
#include <string>
#include <vector>

#include "models/RgbImage.h"
#include "tests/models/BitmapFiles.h"

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

// A fresh folder for a test's files, removed with the object.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};
