#pragma once

#include <cstdint>
#include <memory>

// A picture as tightly packed red, green, blue bytes: `height` rows of
// `width` pixels with no padding between rows. The first row is the bottom
// row of the picture, as bitmap files and GL textures keep them.
struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::unique_ptr<std::uint8_t[]> data;
};
