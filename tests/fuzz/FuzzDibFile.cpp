// libFuzzer target: bitmap files through the header reader and our own
// conversion, as the texture loader reads them.
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
    // What the conversion may read lies inside the file.
    if (source.bits < data || source.bitsSize > size - static_cast<size_t>(source.bits - data))
        std::abort();
    // Large pictures cost time, not coverage.
    const DibHeader& header = source.info.header;
    if (static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height) > (1u << 20))
        return 0;
    RgbImage image;
    if (ConvertDib(source, image) == DibError::NoError
        && (!image.data || image.width != header.width || image.height != header.height))
        std::abort();
    return 0;
}
