#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

#include "platform/offscreen/OffscreenContext.h"

// A test with a real offscreen GL context (current for the whole test) and
// the process-wide show state reset before and after.
class GlTest : public ::testing::Test {
protected:
    GlTest(int width = 160, int height = 120);
    void SetUp() override;
    void TearDown() override;

    // RGBA of the pixel at (x, y), y counted from the bottom row; calls glFinish.
    std::array<uint8_t, 4> PixelAt(int x, int y);
    // Number of pixels whose red, green or blue exceeds `threshold`.
    int CountLitPixels(int threshold = 16);

    std::unique_ptr<OffscreenContext> context;
    int width;
    int height;
};

// Resets the frame clock, show state, clock source and random generator.
void ResetProcessState();
