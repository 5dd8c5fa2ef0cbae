#include "tests/models/BitmapFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> HandBitmap::Bytes() const
{
    std::vector<std::uint8_t> out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(value >> 8 * i));
    };
    const bool core = headerSize == 12;
    const size_t header = std::max<size_t>(headerSize, 4);
    const size_t tableEnd = 14 + header + 4 * masks.size() + palette.size() * (core ? 3 : 4);
    if (fileHeader) {
        out = {'B', 'M'};
        put(static_cast<std::uint32_t>(tableEnd + pixels.size()), 4);
        put(0, 4);
        put(pixelOffset ? pixelOffset : static_cast<std::uint32_t>(tableEnd), 4);
    }
    const size_t headerAt = out.size();
    put(headerSize, 4);
    const int sizeBytes = core ? 2 : 4;
    put(static_cast<std::uint32_t>(width), sizeBytes);
    put(static_cast<std::uint32_t>(height), sizeBytes);
    put(1, 2);
    put(bitCount, 2);
    if (!core) {
        for (std::uint32_t field : {compression, static_cast<std::uint32_t>(pixels.size()), 2835u, 2835u, clrUsed, 0u})
            put(field, 4);
        out.resize(headerAt + header);
    }
    for (std::uint32_t mask : masks)
        put(mask, 4);
    for (std::uint32_t color : palette)
        put(color, core ? 3 : 4);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

namespace {

int Between(BitmapRandom& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

}  // namespace

std::vector<std::uint8_t> AnyRleStream(BitmapRandom& random, int width, int height, bool four)
{
    std::vector<std::uint8_t> out;
    auto put = [&out](std::initializer_list<int> bytes) {
        for (int byte : bytes)
            out.push_back(static_cast<std::uint8_t>(byte));
    };
    for (int x = 0, y = 0; y < height; x = 0, ++y) {
        if (width > 1 && Between(random, 0, 2) == 0) {
            const int dx = Between(random, 1, width - 1), dy = y + 1 < height ? Between(random, 0, 1) : 0;
            put({0, 2, dx, dy});
            x += dx, y += dy;
        }
        for (const int end = Between(random, 0, 3) ? width : Between(random, x, width); x < end;) {
            const int count = Between(random, 1, end - x);
            const int bytes = four ? (count + 1) / 2 : count;
            if (count >= 3 && Between(random, 0, 1)) {
                put({0, count});
                for (int k = 0; k < bytes + bytes % 2; ++k)
                    put({Between(random, 0, 255)});
            } else {
                put({count, Between(random, 0, 255)});
            }
            x += count;
        }
        put({0, 0});
    }
    put({0, 1});
    return out;
}
