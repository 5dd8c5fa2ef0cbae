// Hand-made bitmaps that are cut short, lie about their sizes or run past
// the picture, and the conversions only the system's rules decide (the
// bitmap suite has the other header sizes, depths and top-down rows). Each
// file lives in a buffer of exactly its size.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "models/DibDecoder.h"
#include "models/TextureLoader.h"
#include "tests/models/BitmapTestSupport.h"

namespace {

// A 2 x 3 RLE8 picture; colour 1 is red, colour 2 green.
void Rle8(HandBitmap& bitmap, std::vector<std::uint8_t> stream)
{
    bitmap.width = 2, bitmap.height = 3, bitmap.bitCount = 8, bitmap.compression = kDibRle8;
    bitmap.clrUsed = 3, bitmap.palette = {0x000000, 0xFF0000, 0x00FF00};
    bitmap.pixels = std::move(stream);
}

struct Case {
    const char* what;
    std::function<void(HandBitmap&)> change;  // of a 3 x 2 24-bit picture with a file header
    size_t cut;                               // bytes taken off the end of the file
    DibError outcome;
    const char* pixels = "";                  // decoded: the first pixels, bottom row first
};

const Case kCases[] = {
    {"empty", {}, 14 + 40 + 24, DibError::UnknownFormat},
    {"file header alone", {}, 40 + 24, DibError::UnknownFormat},
    {"info header cut short", {}, 24 + 1, DibError::UnknownFormat},
    {"last pixel byte missing", {}, 1, DibError::Conversion},
    {"pixel offset past the end", [](HandBitmap& b) { b.pixelOffset = 1000; }, 0, DibError::Conversion},
    {"colour table cut short", [](HandBitmap& b) { b.bitCount = 1, b.palette = {0x112233}, b.pixels = {}; }, 0,
     DibError::Conversion},
    {"bit-field masks cut short",
     [](HandBitmap& b) { b.bitCount = 16, b.compression = kDibBitFields, b.masks = {0xF800}, b.pixels = {}; }, 0,
     DibError::Conversion},
    {"header size 0", [](HandBitmap& b) { b.headerSize = 0; }, 0, DibError::UnknownFormat},
    {"width x height x 3 past any memory", [](HandBitmap& b) { b.width = 0x7FFFFFFF, b.height = -0x7FFFFFFF; }, 0,
     DibError::OutOfMemory},
    {"height 0", [](HandBitmap& b) { b.height = 0; }, 0, DibError::Conversion},
    {"RLE run after the last row", [](HandBitmap& b) { Rle8(b, {2, 1, 0, 0, 2, 1, 0, 0, 2, 1, 0, 0, 1, 2}); }, 0,
     DibError::Conversion},
    {"RLE move past the top, then a run", [](HandBitmap& b) { Rle8(b, {0, 2, 0, 3, 1, 1}); }, 0,
     DibError::Conversion},
    {"RLE literal run cut short", [](HandBitmap& b) { Rle8(b, {0, 3, 1, 2, 1, 0}); }, 2, DibError::Conversion},
    {"RLE move cut short", [](HandBitmap& b) { Rle8(b, {0, 2, 1}); }, 0, DibError::Conversion},
    // Without a file header the pixels follow the colour table the file
    // holds: colours-used entries (counted in 16 bits), of which the
    // conversion uses no more than the bit depth indexes.
    {"no file header, 3 colours used by 1 bit: the pixels follow the third entry",
     [](HandBitmap& b) {
         b.fileHeader = false, b.width = 2, b.height = 1, b.bitCount = 1, b.clrUsed = 3;
         b.palette = {0xFF0000, 0x00FF00, 0x0000FF}, b.pixels = {0x40, 0, 0, 0};
     },
     0, DibError::NoError, "FF0000 00FF00"},
    {"no file header, 0x10002 colours used: a table of 2",
     [](HandBitmap& b) {
         b.fileHeader = false, b.width = 2, b.height = 1, b.bitCount = 1, b.clrUsed = 0x10002;
         b.palette = {0xFF0000, 0x00FF00}, b.pixels = {0x40, 0, 0, 0};
     },
     0, DibError::NoError, "FF0000 00FF00"},
    {"no file header, 0x10001 colours used by 24 bits: pixels after one entry",
     [](HandBitmap& b) {
         b.fileHeader = false, b.width = 1, b.height = 1, b.clrUsed = 0x10001;
         b.palette = {0x123456}, b.pixels = {0x33, 0x22, 0x11, 0};
     },
     0, DibError::NoError, "112233"},
    {"colours past the table are black",
     [](HandBitmap& b) { Rle8(b, {2, 3, 200, 1}), b.compression = kDibRgb, b.width = 4, b.height = 1; }, 0,
     DibError::NoError, "00FF00 000000 000000 FF0000"},
    // 0xC001 and 0x20FF with 1 bit of red, 2 of green and 5 of blue.
    {"fields narrower than a byte widen by repeating their top bits once",
     [](HandBitmap& b) {
         b.width = 2, b.height = 1, b.bitCount = 16, b.compression = kDibBitFields, b.masks = {0x8000, 0x6000, 0x1F};
         b.pixels = {0x01, 0xC0, 0xFF, 0x20};
     },
     0, DibError::NoError, "C0A008 0050FF"},
};

TEST(DibFaultsTest, BrokenFilesGetTheirMessageAndNarrowColoursConvertAsTheSystemDoes)
{
    for (const Case& each : kCases) {
        SCOPED_TRACE(each.what);
        HandBitmap bitmap;
        bitmap.width = 3, bitmap.height = 2, bitmap.pixels.assign(2 * 12, 0x55);
        if (each.change)
            each.change(bitmap);
        std::vector<std::uint8_t> file = bitmap.Bytes();
        file.resize(file.size() - each.cut);
        RgbImage image;
        const DibError outcome = DecodeDibFile(file.empty() ? nullptr : file.data(), file.size(), image);
        ASSERT_EQ(outcome, each.outcome) << (outcome == DibError::NoError ? "decodes" : DibErrorText(outcome));
        std::string pixels;
        for (size_t i = 0; 7 * i < std::strlen(each.pixels); ++i) {
            char text[8];
            std::snprintf(text, sizeof text, "%s%02X%02X%02X", i ? " " : "", image.data[3 * i],
                          image.data[3 * i + 1], image.data[3 * i + 2]);
            pixels += text;
        }
        EXPECT_EQ(pixels, each.pixels);
    }
}

TEST(DibFaultsTest, ANameTooLongForTheOpenMessageIsCutAndTheSentenceStaysWhole)
{
    char message[kOpenMessageSize];
    FormatOpenFailure(message, std::string(400, 'n').c_str());
    EXPECT_EQ(std::string(message), "Failed to open DIB file " + std::string(kOpenMessageSize - 27, 'n') + ".\n");
}

}  // namespace
