#include "models/DibDecoder.h"

#include <new>
#include <utility>

namespace {

struct Rgb {
    std::uint8_t red, green, blue;
};

// A colour table of 256 entries: indices past the bitmap's own table give
// black, as the system gives them.
struct Palette {
    Rgb entries[256] = {};

    explicit Palette(const DibInfo& info)
    {
        for (std::uint32_t i = 0; i < info.header.clrUsed && i < 256; ++i)
            entries[i] = {info.colors[i].red, info.colors[i].green, info.colors[i].blue};
    }
};

// One channel of a 16- or 32-bit pixel: the lowest run of set bits of its
// mask. The system widens a field of fewer than 8 bits to 8 by repeating its
// top bits once (5 bits: v << 3 | v >> 2; a 1-bit field gives 0 or 0xC0) and
// keeps the top 8 bits of a wider one.
struct Field {
    int shift = 0;
    int length = 0;

    explicit Field(std::uint32_t mask)
    {
        if (mask == 0)
            return;
        while ((mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++length;
        }
    }

    std::uint8_t Of(std::uint32_t pixel) const
    {
        if (length == 0)
            return 0;
        std::uint32_t value = (pixel >> shift) & (length >= 32 ? ~0u : (1u << length) - 1);
        if (length >= 8)
            return static_cast<std::uint8_t>(value >> (length - 8));
        value <<= 8 - length;
        return static_cast<std::uint8_t>(value | value >> length);
    }
};

struct Fields {
    Field red, green, blue;

    // The masks of a bit-fields bitmap, or the default layouts: 5-5-5 for
    // 16 bits and 8-8-8 for 32 bits.
    explicit Fields(const DibInfo& info)
        : red(Mask(info, 0)), green(Mask(info, 1)), blue(Mask(info, 2))
    {
    }

    static std::uint32_t Mask(const DibInfo& info, int channel)
    {
        if (info.header.compression == kDibBitFields)
            return info.masks[channel];
        static const std::uint32_t k16[3] = {0x7C00, 0x03E0, 0x001F};
        static const std::uint32_t k32[3] = {0xFF0000, 0x00FF00, 0x0000FF};
        return info.header.bitCount == 16 ? k16[channel] : k32[channel];
    }

    Rgb Of(std::uint32_t pixel) const { return {red.Of(pixel), green.Of(pixel), blue.Of(pixel)}; }
};

void Put(std::uint8_t* out, Rgb color)
{
    out[0] = color.red;
    out[1] = color.green;
    out[2] = color.blue;
}

void ConvertRow(const DibInfo& info, const Palette& palette, const Fields& fields, const std::uint8_t* row,
                std::size_t width, std::uint8_t* out)
{
    for (std::size_t x = 0; x < width; ++x, out += 3) {
        switch (info.header.bitCount) {
        case 1:
            Put(out, palette.entries[(row[x / 8] >> (7 - x % 8)) & 1]);
            break;
        case 4:
            Put(out, palette.entries[x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4]);
            break;
        case 8:
            Put(out, palette.entries[row[x]]);
            break;
        case 16:
            Put(out, fields.Of(static_cast<std::uint32_t>(row[2 * x] | row[2 * x + 1] << 8)));
            break;
        case 24:
            Put(out, {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
            break;
        case 32: {
            const std::uint8_t* p = row + 4 * x;
            Put(out, fields.Of(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
                               | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24));
            break;
        }
        }
    }
}

DibError ConvertRows(const DibSource& source, std::size_t width, std::size_t height, std::uint8_t* out)
{
    const DibInfo& info = source.info;
    const std::size_t stride = (info.header.bitCount * width + 31) / 32 * 4;
    if (stride * height > source.bitsSize)
        return DibError::Conversion;
    const Palette palette(info);
    const Fields fields(info);
    for (std::size_t y = 0; y < height; ++y)
        ConvertRow(info, palette, fields, source.bits + stride * y, width, out + 3 * width * y);
    return DibError::NoError;
}

// RLE8 and RLE4: pairs of a count and a value, or an escape (count 0) with
// end of line (0), end of bitmap (1), a move right and up (2, dx, dy), or a
// run of that many literal pixels padded to a 16-bit boundary. Pixels no code
// reaches stay black, as the system leaves the section's zeros there. Like
// the system, pixels past the right edge are dropped (encoders that pack
// whole padded rows put them there); a run in a row above the picture, or
// one cut short by the end of the data, is refused.
DibError ConvertRle(const DibSource& source, std::size_t width, std::size_t height, std::uint8_t* out)
{
    const bool four = source.info.header.compression == kDibRle4;
    const Palette palette(source.info);
    const std::uint8_t* in = source.bits;
    const std::size_t size = source.bitsSize;
    std::size_t at = 0, x = 0, y = 0;

    auto put = [&](std::uint8_t index) {
        if (x < width)
            Put(out + 3 * (width * y + x), palette.entries[index]);
        ++x;
    };

    while (size - at >= 2) {
        const std::uint8_t count = in[at];
        const std::uint8_t value = in[at + 1];
        at += 2;
        if (count != 0) {
            if (y >= height)
                return DibError::Conversion;
            for (int k = 0; k < count; ++k)
                put(four ? (k % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++y;
            break;
        case 1:
            return DibError::NoError;
        case 2:
            if (size - at < 2)
                return DibError::Conversion;
            x += in[at];
            y += in[at + 1];
            at += 2;
            break;
        default: {
            const std::size_t bytes = four ? (value + 1u) / 2 : value;
            if (size - at < bytes || y >= height)
                return DibError::Conversion;
            for (int k = 0; k < value; ++k)
                put(four ? (k % 2 ? in[at + k / 2] & 0x0F : in[at + k / 2] >> 4) : in[at + k]);
            at += bytes;
            if (bytes % 2 && at < size)
                ++at;
            break;
        }
        }
    }
    // A stream that ends without the end-of-bitmap code ends the bitmap.
    return DibError::NoError;
}

}  // namespace

DibError ConvertDib(const DibSource& source, RgbImage& image)
{
    const DibHeader& header = source.info.header;
    if (header.width <= 0 || header.height <= 0 || !source.bits)
        return DibError::Conversion;
    const std::size_t width = static_cast<std::size_t>(header.width);
    const std::size_t height = static_cast<std::size_t>(header.height);
    if (static_cast<std::uint64_t>(width) * height * 3 > kMaxDibPictureBytes)
        return DibError::OutOfMemory;

    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[width * height * 3]());
    if (!data)
        return DibError::OutOfMemory;
    const bool rle = header.compression == kDibRle8 || header.compression == kDibRle4;
    const DibError result = rle ? ConvertRle(source, width, height, data.get())
                                : ConvertRows(source, width, height, data.get());
    if (result != DibError::NoError)
        return result;
    image.width = header.width;
    image.height = header.height;
    image.data = std::move(data);
    return DibError::NoError;
}

DibError DecodeDibFile(const std::uint8_t* file, std::size_t size, RgbImage& image)
{
    DibSource source;
    const DibError error = ReadDibFile(file, size, source);
    return error != DibError::NoError ? error : ConvertDib(source, image);
}
