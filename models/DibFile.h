#pragma once
// Device-independent bitmap files (Windows BMP files, with or without the
// 14-byte "BM" file header): where the bitmap header, the colour table and
// the pixel data are, every part checked against the file's size, and the
// working info block that a bitmap conversion reads (the system's SetDIBits
// on Windows, ConvertDib elsewhere). Pure code: no system calls.

#include <cstddef>
#include <cstdint>

enum class DibError {
    NoError,
    UnknownFormat,  // no file or bitmap header we know (only the 12- and 40-byte headers are read)
    OutOfMemory,    // the picture is too large to make
    Conversion,     // the header is known, but the bitmap cannot be converted
};

// What the user is told, in a box titled "Error"; null for DibError::NoError.
const char* DibErrorText(DibError error);

inline constexpr const char* kUnknownDibFormatText = "Unknown DIB file format.";
inline constexpr const char* kOutOfMemoryText = "Out of memory.";
inline constexpr const char* kConversionErrorText = "Image file conversion error.";

// Compressions, as the info header numbers them.
inline constexpr std::uint32_t kDibRgb = 0;
inline constexpr std::uint32_t kDibRle8 = 1;
inline constexpr std::uint32_t kDibRle4 = 2;
inline constexpr std::uint32_t kDibBitFields = 3;

// The 40-byte info header, field for field as the system's BITMAPINFOHEADER.
struct DibHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;  // positive: the first row in the data is the bottom row
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;  // bytes of pixel data the conversion may read
    std::int32_t xPelsPerMeter;
    std::int32_t yPelsPerMeter;
    std::uint32_t clrUsed;  // entries in the block's colour table
    std::uint32_t clrImportant;
};
static_assert(sizeof(DibHeader) == 40);

// One colour-table entry, as the system's RGBQUAD.
struct DibColor {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t reserved;
};

// The working info block, laid out as the system's BITMAPINFO: the header,
// then the three colour masks (red, green, blue) for bit fields, or the
// colour table for 1, 4 and 8 bits per pixel.
struct DibInfo {
    DibHeader header;
    union {
        std::uint32_t masks[3];
        DibColor colors[256];
    };
};
static_assert(sizeof(DibInfo) == 40 + 256 * 4);

// A bitmap ready for conversion: the block, and the pixel data inside the
// file. For uncompressed bitmaps every row lies inside `bits`; for RLE
// bitmaps the header's sizeImage is cut to what the file holds.
struct DibSource {
    DibInfo info;
    const std::uint8_t* bits;
    std::size_t bitsSize;
};

// The largest picture made: its 24-bit pixels must fit in this many bytes.
// Larger ones get "Out of memory.", as the system's 24-bit section would
// for a 32-bit program long before this size.
inline constexpr std::uint64_t kMaxDibPictureBytes = std::uint64_t{256} << 20;

// Reads the file's headers into `source` and checks that the conversion will
// find everything it reads inside the file.
DibError ReadDibFile(const std::uint8_t* file, std::size_t size, DibSource& source);
