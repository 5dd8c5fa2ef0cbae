#include <gtest/gtest.h>

#include <cstdint>

#include "scene/DisplayScale.h"

namespace {

TEST(DisplayScale, PixelFiguresAt96DpiFollowTheDisplaysDensityRounded)
{
    struct Case {
        int32_t pixels;
        int dpi;
        int64_t scaled;
    };
    const Case cases[] = {
        {12, 96, 12},   {50, 96, 50},   {0, 96, 0},     {-1, 96, -1},  {INT32_MAX, 96, INT32_MAX},
        {12, 192, 24},  {50, 192, 100}, {12, 144, 18},  {50, 144, 75}, {12, 120, 15},
        {50, 120, 63},  // 62.5: halves go up
        {-50, 120, -63}, {1, 144, 2},   {12, 72, 9},
        {INT32_MIN, 192, int64_t{INT32_MIN} * 2}, {INT32_MAX, kMaxDpi, int64_t{INT32_MAX} * 10},
        // Not a display's density: taken as 96.
        {50, 0, 50},    {50, -192, 50}, {50, kMinDpi - 1, 50}, {50, kMaxDpi + 1, 50},
        {48, kMinDpi, 12}, {50, kMaxDpi, 500},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.scaled) << c.pixels << " pixels at " << c.dpi << " DPI";
}

}  // namespace
