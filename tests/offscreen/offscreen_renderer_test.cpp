#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/offscreen/OffscreenContext.h"
#include "platform/offscreen/OffscreenRenderer.h"
#include "scene/Gl.h"

namespace {

bool Built(const std::string& name)
{
    const auto names = OffscreenRenderers();
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(OffscreenRenderer, TheOptionWinsOverTheVariableWhichWinsOverTheDefault)
{
    struct Case {
        const char* asked;
        const char* environment;
        bool ok;
        const char* renderer;   // when ok
        const char* errorPart;  // when not
    };
    const bool osmesa = Built("osmesa");
    const Case cases[] = {
        {"", nullptr, true, "software", ""},
        {"", "", true, "software", ""},
        {"", "default", true, "default", ""},
        {"software", "default", true, "software", ""},
        {"default", "gpu", true, "default", ""},
        {"", "gpu", false, "", "QUILLMOOR_RENDERER wants software"},
        {"gpu", nullptr, false, "", "--renderer wants software"},
        {"Software", nullptr, false, "", "not 'Software'"},
        {"osmesa", nullptr, osmesa, "osmesa", "-DQUILLMOOR_OSMESA=ON"},
        {"", "osmesa", osmesa, "osmesa", "QUILLMOOR_RENDERER: this build has no osmesa"},
    };
    for (const Case& c : cases) {
        std::string renderer = "unchanged", error;
        const bool ok = ChooseOffscreenRenderer(c.asked, c.environment, renderer, error);
        const std::string what = std::string(c.asked) + " / " + (c.environment ? c.environment : "(unset)");
        ASSERT_EQ(ok, c.ok) << what << ": " << error;
        if (ok)
            EXPECT_EQ(renderer, c.renderer) << what;
        else
            EXPECT_NE(error.find(c.errorPart), std::string::npos) << what << ": " << error;
    }
}

// Every renderer of the build renders, reads its picture back bottom-up,
// leaves the caller's read state alone and says what it is.
TEST(OffscreenRenderer, EachRendersAndReadsBack)
{
    const struct {
        const char* renderer;
        const char* context;
    } expected[] = {{"software", "EGL, software device: "}, {"default", "EGL, surfaceless: "}, {"osmesa", "OSMesa: "}};
    for (const auto& e : expected) {
        if (!Built(e.renderer))
            continue;
        OffscreenContext context(e.renderer);
        std::string error;
        ASSERT_TRUE(context.Create(8, 6, error)) << e.renderer << ": " << error;
        EXPECT_EQ(context.description().rfind(e.context, 0), 0u) << context.description();
        EXPECT_NE(context.description().find(reinterpret_cast<const char*>(glGetString(GL_RENDERER))),
                  std::string::npos);

        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, 8, 1);  // the bottom row red
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        GLint readBefore = 0;
        glGetIntegerv(GL_READ_BUFFER, &readBefore);

        const std::vector<uint8_t>& pixels = context.pixels();
        ASSERT_EQ(pixels.size(), 8u * 6u * 4u);
        EXPECT_EQ(pixels[0], 255) << e.renderer;              // row 0: bottom, red
        EXPECT_EQ(pixels[2], 0) << e.renderer;
        EXPECT_EQ(pixels[8 * 4 * 5 + 2], 255) << e.renderer;  // top row blue
        EXPECT_EQ(pixels[8 * 4 * 5], 0) << e.renderer;

        GLint alignment = 0, readAfter = 0;
        glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
        glGetIntegerv(GL_READ_BUFFER, &readAfter);
        EXPECT_EQ(alignment, 1) << e.renderer;
        EXPECT_EQ(readAfter, readBefore) << e.renderer;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << e.renderer;
    }
}

}  // namespace
