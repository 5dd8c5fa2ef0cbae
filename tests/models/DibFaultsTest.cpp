// Hand-made bitmaps that are cut short, lie about their sizes or run past
// the picture, and the edge cases of the conversion. Each file lives in a
// buffer of exactly its size.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "models/DibDecoder.h"
#include "models/TextureLoader.h"
#include "tests/models/BitmapTestSupport.h"

namespace {

// A 2 x 3 RLE8 picture with colour 1 red and colour 2 green.
HandBitmap Rle8(std::vector<std::uint8_t> stream)
{
    HandBitmap bitmap;
    bitmap.width = 2;
    bitmap.height = 3;
    bitmap.bitCount = 8;
    bitmap.compression = kDibRle8;
    bitmap.clrUsed = 3;
    bitmap.palette = {0x000000, 0xFF0000, 0x00FF00};
    bitmap.pixels = std::move(stream);
    return bitmap;
}

// A 3 x 2 24-bit picture of six different colours.
HandBitmap Rgb24()
{
    HandBitmap bitmap;
    bitmap.width = 3;
    bitmap.height = 2;
    bitmap.pixels.resize(2 * 12);
    for (size_t i = 0; i < bitmap.pixels.size(); ++i)
        bitmap.pixels[i] = static_cast<std::uint8_t>(10 * i + 5);
    return bitmap;
}

std::vector<std::uint8_t> Without(std::vector<std::uint8_t> bytes, size_t last)
{
    bytes.resize(bytes.size() - last);
    return bytes;
}

struct Case {
    const char* what;
    std::function<std::vector<std::uint8_t>()> file;
    DibError outcome;
    // For pictures that decode: the first pixels, bottom row first, "RRGGBB ...".
    const char* pixels = "";
};

std::string Hex(const RgbImage& image, size_t count)
{
    std::string text;
    char pixel[8];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(pixel, sizeof pixel, "%02X%02X%02X", image.data[3 * i], image.data[3 * i + 1],
                      image.data[3 * i + 2]);
        text += (i ? " " : "") + std::string(pixel);
    }
    return text;
}

TEST(DibFaultsTest, BrokenFilesGetTheirMessageAndEdgeCasesConvertAsTheSystemDoes)
{
    const Case cases[] = {
        {"empty", [] { return std::vector<std::uint8_t>{}; }, DibError::UnknownFormat},
        {"file header alone", [] { return Without(Rgb24().Bytes(), 40 + 24); }, DibError::UnknownFormat},
        {"info header cut short", [] { return Without(Rgb24().Bytes(), 24 + 1); }, DibError::UnknownFormat},
        {"header size 0", [] { HandBitmap b = Rgb24(); b.headerSize = 0; return b.Bytes(); }, DibError::UnknownFormat},
        {"header size 64", [] { HandBitmap b = Rgb24(); b.headerSize = 64; return b.Bytes(); }, DibError::UnknownFormat},
        {"header size 108", [] { HandBitmap b = Rgb24(); b.headerSize = 108; return b.Bytes(); }, DibError::UnknownFormat},
        {"header size 124", [] { HandBitmap b = Rgb24(); b.headerSize = 124; return b.Bytes(); }, DibError::UnknownFormat},
        {"last pixel byte missing", [] { return Without(Rgb24().Bytes(), 1); }, DibError::Conversion},
        {"row padding of the last row missing", [] { return Without(Rgb24().Bytes(), 3); }, DibError::Conversion},
        {"pixel offset past the end",
         [] {
             auto bytes = Rgb24().Bytes();
             bytes[10] = 0xFF;
             return bytes;
         },
         DibError::Conversion},
        {"colour table cut short",
         [] {
             HandBitmap b = Rle8({});
             b.bitCount = 1, b.compression = kDibRgb, b.clrUsed = 0, b.palette = {0x112233};
             return b.Bytes();
         },
         DibError::Conversion},
        {"bit-field masks cut short",
         [] {
             HandBitmap b;
             b.bitCount = 16, b.compression = kDibBitFields, b.masks = {0xF800};
             b.fileHeader = false;
             return b.Bytes();
         },
         DibError::Conversion},
        {"width x height x 3 beyond any memory",
         [] {
             HandBitmap b = Rgb24();
             b.width = 0x7FFFFFFF, b.height = -0x7FFFFFFF;
             return b.Bytes();
         },
         DibError::OutOfMemory},
        {"width 0", [] { HandBitmap b = Rgb24(); b.width = 0; return b.Bytes(); }, DibError::Conversion},
        {"height 0", [] { HandBitmap b = Rgb24(); b.height = 0; return b.Bytes(); }, DibError::Conversion},
        {"top-down rows", [] { HandBitmap b = Rgb24(); b.height = -2; return b.Bytes(); }, DibError::Conversion},
        {"2 bits a pixel", [] { HandBitmap b = Rgb24(); b.bitCount = 2; return b.Bytes(); }, DibError::Conversion},
        {"RLE8 with 4 bits a pixel", [] { HandBitmap b = Rle8({0, 1}); b.bitCount = 4; return b.Bytes(); }, DibError::Conversion},

        {"RLE run after the last row", [] { return Rle8({2, 1, 0, 0, 2, 1, 0, 0, 2, 1, 0, 0, 1, 2}).Bytes(); }, DibError::Conversion},
        {"RLE move past the top, then a run", [] { return Rle8({0, 2, 0, 3, 1, 1}).Bytes(); }, DibError::Conversion},
        {"RLE literal run cut short", [] { return Without(Rle8({0, 3, 1, 2, 1, 0}).Bytes(), 2); }, DibError::Conversion},
        {"RLE move cut short", [] { return Rle8({0, 2, 1}).Bytes(); }, DibError::Conversion},
        // Encoders that pack padded rows run past the right edge: the system drops those pixels.
        {"RLE runs past the right edge are cut there", [] { return Rle8({3, 1, 0, 0, 0, 3, 2, 1, 2, 0, 0, 1}).Bytes(); },
         DibError::None, "FF0000 FF0000 00FF00 FF0000"},
        // Pixels no code reaches stay black; ending on a move or end of line is fine.
        {"RLE moves, early ends of line and no end of bitmap", [] { return Rle8({0, 2, 1, 0, 1, 2, 0, 0, 0, 0}).Bytes(); },
         DibError::None, "000000 00FF00 000000 000000 000000 000000"},
        {"RLE4 runs alternate their two colours", [] {
             HandBitmap b = Rle8({3, 0x12, 0, 0, 0, 3, 0x21, 0x00, 0, 1});
             b.bitCount = 4, b.compression = kDibRle4, b.width = 3, b.height = 2;
             return b.Bytes();
         },
         DibError::None, "FF0000 00FF00 FF0000 00FF00 FF0000 000000"},
        {"colours past the table are black", [] {
             HandBitmap b = Rle8({});
             b.bitCount = 8, b.compression = kDibRgb, b.width = 4, b.height = 1, b.pixels = {2, 3, 200, 1};
             return b.Bytes();
         },
         DibError::None, "00FF00 000000 000000 FF0000"},
        {"bit fields narrower than a byte widen by repeating their top bits once", [] {
             HandBitmap b;
             b.width = 2, b.bitCount = 16, b.compression = kDibBitFields, b.masks = {0x8000, 0x6000, 0x1F};
             b.pixels = {0x01, 0xC0, 0xFF, 0x20};  // 0xC001, 0x20FF
             return b.Bytes();
         },
         DibError::None, "C0A008 0050FF"},
        {"16 bits without bit fields are 5-5-5", [] {
             HandBitmap b;
             b.width = 2, b.bitCount = 16, b.pixels = {0x1F, 0x7C, 0xE0, 0x83};  // 0x7C1F, 0x83E0
             return b.Bytes();
         },
         DibError::None, "FF00FF 00FF00"},
        {"core header, no file header: pixels follow the 3-byte colour table", [] {
             HandBitmap b;
             b.headerSize = 12, b.fileHeader = false, b.width = 3, b.bitCount = 1;
             b.palette = {0x0000FF, 0xFFFFFF};
             b.pixels = {0xA0, 0, 0, 0};
             return b.Bytes();
         },
         DibError::None, "FFFFFF 0000FF FFFFFF"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        const std::vector<std::uint8_t> bytes = each.file();
        RgbImage image;
        const DibError outcome = DecodeDibFile(bytes.empty() ? nullptr : bytes.data(), bytes.size(), image);
        EXPECT_EQ(outcome, each.outcome) << (outcome == DibError::None ? "decodes" : DibErrorText(outcome));
        if (outcome == DibError::None && each.outcome == DibError::None) {
            const size_t shown = (std::strlen(each.pixels) + 1) / 7;
            ASSERT_GE(static_cast<size_t>(image.width) * image.height, shown);
            EXPECT_EQ(Hex(image, shown), each.pixels);
        }
    }
}

TEST(DibFaultsTest, AMissingFileEndsBmp2PngWithTheOpenMessage)
{
    ScratchFolder folder;
    EXPECT_EQ(RunCommand(kBmp2Png + " '" + folder / "missing.bmp' '" + folder / "out.png' 2>'" + folder / "err'"), 1);
    const std::vector<std::uint8_t> said = ReadBytes(folder / "err");
    EXPECT_EQ(std::string(said.begin(), said.end()), "bmp2png: Failed to open DIB file " + folder / "missing.bmp.\n");

    // A name too long for the message is cut; the sentence stays whole.
    char message[kOpenMessageSize];
    FormatOpenFailure(message, std::string(400, 'n').c_str());
    EXPECT_EQ(std::string(message), "Failed to open DIB file " + std::string(kOpenMessageSize - 27, 'n') + ".\n");
}

}  // namespace
