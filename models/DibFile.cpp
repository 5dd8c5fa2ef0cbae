#include "models/DibFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kMaskBytes = 12;

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t ColorsForBitCount(std::uint16_t bitCount)
{
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

// The bit depths and compressions the system's conversion takes.
bool ConvertibleFormat(const DibHeader& header)
{
    switch (header.compression) {
    case kDibRgb:
        return header.planes != 0
            && (header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8 || header.bitCount == 16
                || header.bitCount == 24 || header.bitCount == 32);
    case kDibBitFields:
        return header.planes != 0 && (header.bitCount == 16 || header.bitCount == 32);
    case kDibRle8:
        return header.bitCount == 8;
    case kDibRle4:
        return header.bitCount == 4;
    default:
        return false;
    }
}

void ReadCoreHeader(const std::uint8_t* p, DibHeader& header)
{
    // The core header's sizes are unsigned 16-bit values.
    header.width = U16(p + 4);
    header.height = U16(p + 6);
    header.planes = U16(p + 8);
    header.bitCount = U16(p + 10);
    header.compression = kDibRgb;
    header.sizeImage = 0;
    header.xPelsPerMeter = header.yPelsPerMeter = 0;
    header.clrUsed = header.clrImportant = ColorsForBitCount(header.bitCount);
}

void ReadInfoHeader(const std::uint8_t* p, DibHeader& header)
{
    header.width = static_cast<std::int32_t>(U32(p + 4));
    header.height = static_cast<std::int32_t>(U32(p + 8));
    header.planes = U16(p + 12);
    header.bitCount = U16(p + 14);
    header.compression = U32(p + 16);
    header.sizeImage = U32(p + 20);
    header.xPelsPerMeter = static_cast<std::int32_t>(U32(p + 24));
    header.yPelsPerMeter = static_cast<std::int32_t>(U32(p + 28));
    header.clrUsed = U32(p + 32);
    header.clrImportant = U32(p + 36);
}

}  // namespace

const char* DibErrorText(DibError error)
{
    switch (error) {
    case DibError::UnknownFormat: return kUnknownDibFormatText;
    case DibError::OutOfMemory: return kOutOfMemoryText;
    case DibError::Conversion: return kConversionErrorText;
    case DibError::NoError: break;
    }
    return nullptr;
}

DibError ReadDibFile(const std::uint8_t* file, std::size_t size, DibSource& source)
{
    std::memset(&source, 0, sizeof source);
    const bool fileHeader = size >= 2 && file[0] == 'B' && file[1] == 'M';
    const std::size_t headerAt = fileHeader ? kFileHeaderSize : 0;
    if (size < headerAt + 4)
        return DibError::UnknownFormat;
    const std::uint32_t headerSize = U32(file + headerAt);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize)
        return DibError::UnknownFormat;
    if (size - headerAt < headerSize)
        return DibError::UnknownFormat;  // the header itself is cut short

    DibHeader& header = source.info.header;
    const bool core = headerSize == kCoreHeaderSize;
    header.size = kInfoHeaderSize;
    if (core)
        ReadCoreHeader(file + headerAt, header);
    else
        ReadInfoHeader(file + headerAt, header);
    // The entries the file's colour table holds, counted in 16 bits: a file
    // without a file header has its pixels right after that many.
    const std::uint16_t tableCount = static_cast<std::uint16_t>(
        !core && header.clrUsed != 0 ? header.clrUsed : ColorsForBitCount(header.bitCount));

    // The 24-bit picture the conversion fills must be possible to make.
    if (header.width > 0 && header.height != 0) {
        const std::uint64_t height = header.height < 0 ? -static_cast<std::int64_t>(header.height) : header.height;
        if (static_cast<std::uint64_t>(header.width) * height * 3 > kMaxDibPictureBytes)
            return DibError::OutOfMemory;
    }
    // Empty pictures, and top-down ones (negative height), are not converted.
    if (header.width <= 0 || header.height <= 0 || !ConvertibleFormat(header))
        return DibError::Conversion;

    std::size_t tableAt = headerAt + headerSize;
    if (header.compression == kDibBitFields) {
        // The masks follow a 40-byte header: they belong in the block too.
        if (size - tableAt < kMaskBytes)
            return DibError::Conversion;
        for (int k = 0; k < 3; ++k)
            source.info.masks[k] = U32(file + tableAt + 4 * k);
        tableAt += kMaskBytes;
    }

    // The conversion reads as many colours as the header says, but never
    // more than the bit depth can index.
    const std::size_t entrySize = core ? 3 : 4;
    std::uint32_t used = 0;
    if (header.bitCount <= 8) {
        const std::uint32_t all = 1u << header.bitCount;
        used = core || header.clrUsed == 0 ? all : std::min(header.clrUsed, all);
        if ((size - tableAt) / entrySize < used)
            return DibError::Conversion;
        for (std::uint32_t i = 0; i < used; ++i) {
            const std::uint8_t* entry = file + tableAt + entrySize * i;
            source.info.colors[i] = {entry[0], entry[1], entry[2], 0};
        }
    }
    header.clrUsed = used;

    const std::uint64_t pixelAt = fileHeader ? U32(file + kPixelOffsetAt)
                                             : tableAt + static_cast<std::uint64_t>(tableCount) * entrySize;
    if (pixelAt > size)
        return DibError::Conversion;
    const std::size_t available = size - static_cast<std::size_t>(pixelAt);
    const std::uint64_t width = static_cast<std::uint64_t>(header.width);
    const std::uint64_t height = static_cast<std::uint64_t>(header.height);
    if (header.compression == kDibRle8 || header.compression == kDibRle4) {
        const std::uint64_t stream = header.sizeImage != 0 ? header.sizeImage
                                                           : (header.bitCount * width + 7) / 8 * height;
        header.sizeImage = static_cast<std::uint32_t>(std::min<std::uint64_t>(stream, available));
    } else {
        // Rows are padded to 4 bytes; every one must be in the file.
        const std::uint64_t rows = (header.bitCount * width + 31) / 32 * 4 * height;
        if (rows > available)
            return DibError::Conversion;
        header.sizeImage = static_cast<std::uint32_t>(rows);
    }
    source.bits = file + pixelAt;
    source.bitsSize = header.sizeImage;
    return DibError::NoError;
}
