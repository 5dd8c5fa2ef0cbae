#include "tests/support/GlTest.h"

#include <string>

#include "models/TextureLoader.h"
#include "platform/linux/FontGlyphs.h"
#include "platform/linux/StderrTexturePlatform.h"
#include "show/Director.h"
#include "scene/FrameClock.h"
#include "scene/Gl.h"
#include "scene/RandomSource.h"
#include "scene/TextOverlay.h"

void ResetProcessState()
{
    ResetFrameClock();
    ResetShowState();
    SetTickSource(nullptr);
    SetRandomGenerator(nullptr);
    SetSeedOverride(true, 1);
    SetGlyphListBuilder(BuildFontGlyphLists);
    InstallStderrTexturePlatform("quillmoor");
    SetTextureLoader(nullptr);
}

GlTest::GlTest(int width, int height) : width(width), height(height) {}

void GlTest::SetUp()
{
    ResetProcessState();
    context = std::make_unique<OffscreenContext>();
    std::string error;
    ASSERT_TRUE(context->Create(width, height, error)) << error;
}

void GlTest::TearDown()
{
    context.reset();
    ResetProcessState();
}

std::array<uint8_t, 4> GlTest::PixelAt(int x, int y)
{
    glFinish();
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
    const auto& pixels = context->pixels();
    return {pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
}

int GlTest::CountLitPixels(int threshold)
{
    glFinish();
    int lit = 0;
    const auto& pixels = context->pixels();
    for (size_t at = 0; at + 3 < pixels.size(); at += 4)
        if (pixels[at] > threshold || pixels[at + 1] > threshold || pixels[at + 2] > threshold)
            ++lit;
    return lit;
}
