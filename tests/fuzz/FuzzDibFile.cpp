// libFuzzer target: bitmap files through the header reader and our own
// conversion, as the texture loader reads them. A file the reader accepts
// must hold everything the system's conversion would read from the block it
// gets, worked out here from the header on its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "models/DibDecoder.h"
#include "models/DibFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DibSource source;
    if (ReadDibFile(data, size, source) != DibError::NoError)
        return 0;
    const DibHeader& header = source.info.header;
    if (source.bits < data || source.bits > data + size)
        std::abort();
    const uint64_t available = size - static_cast<size_t>(source.bits - data);
    // What the conversion may read lies inside the file.
    if (source.bitsSize > available || source.bitsSize != header.sizeImage)
        std::abort();
    // The colour table read is the block's own, no longer than the depth indexes.
    if (header.bitCount <= 8 && header.clrUsed > (1u << header.bitCount))
        std::abort();
    if (header.width <= 0 || header.height <= 0)
        std::abort();
    if (header.compression != kDibRle8 && header.compression != kDibRle4) {
        // Uncompressed: every row, padded to 4 bytes, is in the file, and the
        // image size says exactly that much.
        const uint64_t rows = (static_cast<uint64_t>(header.bitCount) * static_cast<uint64_t>(header.width) + 31)
            / 32 * 4 * static_cast<uint64_t>(header.height);
        if (rows > available || header.sizeImage != rows)
            std::abort();
    }
    // Large pictures cost time, not coverage.
    if (static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height) > (1u << 20))
        return 0;
    RgbImage image;
    if (ConvertDib(source, image) == DibError::NoError
        && (!image.data || image.width != header.width || image.height != header.height))
        std::abort();
    return 0;
}
