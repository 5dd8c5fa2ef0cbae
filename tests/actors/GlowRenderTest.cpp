// The glow drawn only where its texture is lit must be the glow drawn whole:
// every glow frame of a fixed-seed minute of the show, redrawn with whole
// layers, differs by at most 1/255 per channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/actors/ShowFixture.h"

namespace {

int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    int worst = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (i % 4 != 3)
            worst = std::max(worst, std::abs(a[i] - b[i]));
    return worst;
}

class GlowRender : public ShowTest {
protected:
    // Not 4:3, so that the overlay's 640 x 480 space is stretched.
    GlowRender() : ShowTest(320, 180) {}

    // The moment just rendered, drawn again without updating the cast.
    std::vector<uint8_t> Redraw(bool wholeLayers, bool glow)
    {
        linker()->drawWholeGlowLayers = wholeLayers;
        linker()->glowing = glow;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SetFrameCamera();
        scene->Draw();
        glFinish();
        linker()->drawWholeGlowLayers = false;
        linker()->glowing = true;
        return context->pixels();
    }
};

TEST_F(GlowRender, LitPartsAloneDrawTheWholeLayersPicture)
{
    if (!scene->glowSupported)
        GTEST_SKIP() << kNoGlowExtensions;
    int glowFrames = 0, litFrames = 0, worst = 0;
    double worstAt = 0.0;
    for (int frame = 0; frame < 600; ++frame) {
        const double time = frame * 0.1;
        RenderAt(time);
        if (!linker()->glowing)
            continue;
        ++glowFrames;
        const std::vector<uint8_t> drawn = context->pixels();
        const std::vector<uint8_t> whole = Redraw(true, true);
        const int difference = MaxDifference(drawn, whole);
        if (difference > worst) {
            worst = difference;
            worstAt = time;
        }
        // Frames where the glow visibly lights the picture: a lit-tile
        // drawing that left parts out would show there.
        if (MaxDifference(whole, Redraw(false, false)) > 16)
            ++litFrames;
    }
    EXPECT_GT(glowFrames, 30);
    EXPECT_GT(litFrames, glowFrames / 2);
    EXPECT_LE(worst, 1) << "at " << worstAt << " s";
}

}  // namespace
