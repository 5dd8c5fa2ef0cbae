// The whole cast rendered through the Scene, checked on real pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "tests/actors/ShowFixture.h"

namespace {

struct PixelStats {
    int lit = 0;         // any channel above 24
    int saturated = 0;   // clearly coloured: channels differ by more than 60
    int notSepia = 0;    // red and green apart by more than 2, or blue above green
    int glowTinted = 0;  // light blue or orange: one end of the colour well above the other
};

PixelStats Measure(const std::vector<uint8_t>& pixels)
{
    PixelStats stats;
    for (size_t at = 0; at + 3 < pixels.size(); at += 4) {
        const int r = pixels[at], g = pixels[at + 1], b = pixels[at + 2];
        if (r > 24 || g > 24 || b > 24)
            ++stats.lit;
        const int hi = std::max(r, std::max(g, b));
        const int lo = std::min(r, std::min(g, b));
        if (hi - lo > 60)
            ++stats.saturated;
        if (std::abs(r - g) > 2 || b > g)
            ++stats.notSepia;
        if (std::abs(b - r) > 60)
            ++stats.glowTinted;
    }
    return stats;
}

using ShowRender = ShowTest;

TEST_F(ShowRender, ColourFramesShowColouredActors)
{
    // Frames at 30 per second across the first twenty seconds.
    int framesWithColour = 0;
    for (int frame = 0; frame < 600; ++frame) {
        RenderAt(frame / 30.0);
        if (frame % 20 != 0)
            continue;
        ASSERT_FALSE(sepiaMode);
        const PixelStats stats = Measure(context->pixels());
        EXPECT_GT(stats.lit, 10) << frame;  // stars at least
        if (stats.saturated > 50)
            ++framesWithColour;
    }
    EXPECT_GT(framesWithColour, 8);
}

TEST_F(ShowRender, SepiaFramesAreWarmMonochrome)
{
    int checked = 0;
    for (int frame = 0; frame < 300; ++frame) {
        RenderAt(25.0 + frame / 30.0);
        ASSERT_TRUE(sepiaMode);
        if (frame % 10 != 0)
            continue;
        const PixelStats stats = Measure(context->pixels());
        EXPECT_EQ(stats.notSepia, 0) << "frame " << frame;
        EXPECT_GT(stats.lit, 10) << frame;
        ++checked;
    }
    EXPECT_EQ(checked, 30);
    // Specks and blotches changed with every step.
    StarField* field = starField();
    EXPECT_GE(field->speckCount, 100);
    EXPECT_LE(field->speckCount, 199);
    EXPECT_LE(field->blotchCount, 3);
}

TEST_F(ShowRender, SepiaHoldsTheStepBetweenTwentyFourthsOfASecond)
{
    RenderAt(25.0);
    StarField* field = starField();
    const StarPoint speck = field->specks[0];
    RenderAt(25.010);  // same twenty-fourth of a second
    EXPECT_EQ(field->specks[0].x, speck.x);
    EXPECT_EQ(field->specks[0].y, speck.y);
    RenderAt(25.050);
    EXPECT_TRUE(field->specks[0].x != speck.x || field->specks[0].y != speck.y);
}

TEST_F(ShowRender, GlowFrameLightsThePicture)
{
    if (!scene->glowSupported)
        GTEST_SKIP() << kNoGlowExtensions;
    // Fly until the linker comes near one of the others.
    double glowAt = -1.0;
    for (int frame = 0; frame < 20 * 60 * 10 && glowAt < 0.0; ++frame) {
        const double time = frame / 10.0;
        RenderAt(time);
        if (linker()->glowing)
            glowAt = time;
    }
    ASSERT_GE(glowAt, 0.0) << "the linker never came near the others in ten minutes";
    const PixelStats withGlow = Measure(context->pixels());

    // The same moment without the overlay, for comparison.
    linker()->glowing = false;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetFrameCamera();
    scene->Draw();
    glFinish();
    const PixelStats without = Measure(context->pixels());
    EXPECT_GT(withGlow.glowTinted, without.glowTinted + 10) << "at " << glowAt << " s";
}

}  // namespace
