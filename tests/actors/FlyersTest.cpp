// The three actors that fly the flight cycle: cruiser, mast and linker.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/actors/Feedback.h"
#include "tests/actors/ScriptedRandom.h"
#include "tests/actors/ShowFixture.h"

namespace {

void ExpectColour(const Material& material, int red, int green, int blue, const char* what)
{
    EXPECT_EQ(material.color[0], red) << what;
    EXPECT_EQ(material.color[1], green) << what;
    EXPECT_EQ(material.color[2], blue) << what;
}

// Every vertex colour a list gives is a warm grey: red and green equal, blue no more.
void ExpectSepiaList(Model& model, int list)
{
    const auto colours = FeedbackColours([&] { model.callList(list); });
    ASSERT_FALSE(colours.empty());
    for (const auto& c : colours) {
        ASSERT_NEAR(c[0], c[1], 1e-4);
        ASSERT_LE(c[2], c[1] + 1e-4);
    }
}

bool AnyColouredVertex(Model& model, int list)
{
    for (const auto& c : FeedbackColours([&] { model.callList(list); }))
        if (std::fabs(c[0] - c[1]) > 0.05f)
            return true;
    return false;
}

using CruiserTest = ShowTest;

TEST_F(CruiserTest, OutwardRestyleDrawsColoursInOrder)
{
    CruiserActor* actor = cruiser();
    actor->flight.reverse = 0;
    ScriptedRandom random({0, 0, 0, 0,               // material 1: (255, 0, 0)
                           0, 32767, 16384,          // material 10: 128, 255, 192
                           0, 16384, 0, 0,           // fins: (255, 255, 0)
                           0, 32767, 16384});        // fin edges: 255 r each
    actor->Restyle();
    EXPECT_EQ(random.draws(), 14);
    EXPECT_EQ(random.pending(), 0u);
    const Material* m = actor->model.materials;
    ExpectColour(m[1], 255, 0, 0, "base");
    ExpectColour(m[10], 128, 255, 192, "shaft");
    for (int index : {2, 4, 6, 8}) {
        ExpectColour(m[index], 255, 255, 0, "fin");
        EXPECT_FLOAT_EQ(m[index].shininess, 0.5f);
    }
    for (int index : {3, 5, 7, 9})
        ExpectColour(m[index], 0, 254, 127, "fin edge");
    // The hull is left in its flat, brightly lit state of list 1.
    EXPECT_EQ(m[0].brightAmbient, 1);
    EXPECT_EQ(m[0].shininess, 0.0f);
}

TEST_F(CruiserTest, InwardRestyleKeepsColoursButRecompiles)
{
    CruiserActor* actor = cruiser();
    actor->flight.reverse = 1;
    uint8_t before[12][3];
    for (int i = 0; i < 12; ++i)
        std::memcpy(before[i], actor->model.materials[i].color, 3);
    BeginFrameState();
    ASSERT_TRUE(AnyColouredVertex(actor->model, 0));

    ScriptedRandom random;
    sepiaMode = true;
    actor->Restyle();
    EXPECT_EQ(random.draws(), 0);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(std::memcmp(before[i], actor->model.materials[i].color, 3), 0) << i;
    ExpectSepiaList(actor->model, 0);
    ExpectSepiaList(actor->model, 1);
}

TEST_F(CruiserTest, ListChoiceAtTheSide)
{
    CruiserActor* actor = cruiser();
    EXPECT_TRUE(glIsList(actor->model.listBase));
    EXPECT_TRUE(glIsList(actor->model.listBase + 1));
    actor->flight.reverse = 0;
    actor->position.x = 10.0f;
    EXPECT_EQ(actor->ListToDraw(), 0);
    actor->position.x = -10.001f;
    EXPECT_EQ(actor->ListToDraw(), 1);
    actor->flight.reverse = 1;
    EXPECT_EQ(actor->ListToDraw(), 0);
}

TEST_F(CruiserTest, CycleRestartRestylesThroughUpdate)
{
    CruiserActor* actor = cruiser();
    actor->flight.cycleStart = 0.0;
    actor->flight.reverse = 0;
    scene->time = 17.5;
    ScriptedRandom random({32767}, 0);  // stays outward, then new colours
    actor->Update();
    EXPECT_EQ(actor->flight.reverse, 0);
    EXPECT_EQ(random.draws(), 1 + 14);
    EXPECT_LT(actor->position.z, 0.0f);
}

using MastTest = ShowTest;

TEST_F(MastTest, RestyleColoursAndHighlights)
{
    MastActor* actor = mast();
    actor->flight.reverse = 0;
    ScriptedRandom random({32767, 0, 16384,   // body 255, 128, 192
                           0, 0, 0, 21845,    // pods (0, 0, 255)
                           32767, 0, 16384}); // vanes 255, 0, 128
    actor->Restyle();
    EXPECT_EQ(random.draws(), 10);
    const Material* m = actor->model.materials;
    ExpectColour(m[0], 255, 128, 192, "body");
    EXPECT_NEAR(m[0].specular[0], 1.0f, 1e-6);
    EXPECT_NEAR(m[0].specular[1], 128 * 0.003921569f, 1e-6);
    for (int index : {5, 6, 7}) {
        ExpectColour(m[index], 0, 0, 255, "pod");
        EXPECT_FLOAT_EQ(m[index].specular[0], 0.5f);
        EXPECT_NEAR(m[index].specular[2], 1.0f, 1e-6);
        EXPECT_FLOAT_EQ(m[index].shininess, 0.8f);
    }
    for (int index : {2, 3, 4})
        ExpectColour(m[index], 255, 0, 128, "vane");
    EXPECT_FLOAT_EQ(m[0].shininess, 0.6f);
    // The base plate never changes colour; it ends in its opaque, bright state.
    ExpectColour(m[1], 220, 220, 64, "plate");
    EXPECT_EQ(m[1].transparency, 0.0f);
    EXPECT_EQ(m[1].brightAmbient, 1);

    actor->flight.reverse = 1;
    ScriptedRandom none;
    actor->Restyle();
    EXPECT_EQ(none.draws(), 0);
    ExpectColour(m[0], 255, 128, 192, "body kept");
    ExpectColour(m[1], 220, 220, 64, "plate kept");
}

TEST_F(MastTest, DrawLeavesWhiteAndChoosesListAtTheSide)
{
    MastActor* actor = mast();
    actor->flight.reverse = 0;
    actor->position = Vec3().Set(9.0f, 0.0f, 10.0f);
    EXPECT_EQ(actor->ListToDraw(), 0);
    actor->position.x = 9.01f;
    EXPECT_EQ(actor->ListToDraw(), 1);

    // The mast line is drawn whichever list is chosen.
    BeginFrameState();
    for (float x : {9.0f, 9.01f}) {
        actor->position.x = x;
        const auto colours = FeedbackColours([&] { actor->Draw(); });
        int greyLineVertices = 0;
        for (const auto& c : colours)
            if (std::fabs(c[0] - 0.6f) < 0.01f && std::fabs(c[2] - 0.6f) < 0.01f)
                ++greyLineVertices;
        EXPECT_GE(greyLineVertices, 2) << x;
    }
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(current[0], 1.0f);
    EXPECT_EQ(current[2], 1.0f);
}

using LinkerTest = ShowTest;

// Puts the mast and cruiser at offsets from where the linker stands at time 0
// (the start of its first, inward cycle: (0, 9, 94.5)) and updates it.
void UpdateLinkerWith(Scene& scene, LinkerActor& linker, MastActor& mast, CruiserActor& cruiser, Vec3 mastOffset,
                      Vec3 cruiserOffset)
{
    scene.time = 0.0;
    linker.flight.cycleStart = 0.0;
    linker.flight.reverse = 0;
    const Vec3 at = linker.flight.PositionAt(0.0, 0.0f);
    mast.position.Set(at.x + mastOffset.x, at.y + mastOffset.y, at.z + mastOffset.z);
    cruiser.position.Set(at.x + cruiserOffset.x, at.y + cruiserOffset.y, at.z + cruiserOffset.z);
    linker.Update();
}

TEST_F(LinkerTest, LinkAndGlowThresholds)
{
    if (!scene->glowSupported)
        GTEST_SKIP() << kNoGlowExtensions;
    LinkerActor* actor = linker();
    const Vec3 far = Vec3().Set(0, 0, -60);
    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), Vec3().Set(0, 0, -12), far);
    EXPECT_FLOAT_EQ(actor->position.z, 94.5f);
    EXPECT_FALSE(actor->linkToMast);  // exactly 12: no link
    EXPECT_TRUE(actor->glowing);

    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), Vec3().Set(0, 0, -11.99f), far);
    EXPECT_TRUE(actor->linkToMast);
    EXPECT_FALSE(actor->linkToCruiser);

    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), far, Vec3().Set(3, 4, -10));
    EXPECT_FALSE(actor->linkToMast);
    EXPECT_TRUE(actor->linkToCruiser);

    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), far, Vec3().Set(0, 0, -19.99f));
    EXPECT_FALSE(actor->linkToCruiser);
    EXPECT_TRUE(actor->glowing);

    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), Vec3().Set(0, 0, -20), Vec3().Set(0, 0, -20));
    EXPECT_FALSE(actor->glowing);

    scene->glowSupported = false;
    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), Vec3().Set(0, 0, -1), far);
    EXPECT_TRUE(actor->linkToMast);
    EXPECT_FALSE(actor->glowing);
}

TEST_F(LinkerTest, GlowColourRule)
{
    const GlowColour toMast = GlowColourFor(true, false);
    EXPECT_EQ(toMast.red, 1.0f);
    EXPECT_EQ(toMast.green, 0.75f);
    EXPECT_EQ(toMast.blue, 0.0f);
    const GlowColour other = GlowColourFor(false, false);
    EXPECT_EQ(other.red, 0.0f);
    EXPECT_EQ(other.green, 0.5f);
    EXPECT_EQ(other.blue, 1.0f);
    const GlowColour sepia = GlowColourFor(true, true);
    EXPECT_NEAR(sepia.blue, 0.3333f + 0.75f * 0.4444f, 1e-6);
    EXPECT_NEAR(sepia.red - sepia.blue, 0.1f, 1e-6);
    EXPECT_EQ(sepia.red, sepia.green);
}

TEST_F(LinkerTest, RestyleBuildsTwoLightPatterns)
{
    LinkerActor* actor = linker();
    ScriptedRandom random({32767, 0, 16384,      // hull 147, 0, 74
                           0, 0, 0, 0, 0, 0,     // hubs 128
                           16384, 0, 0, 21845,   // warm lamps (255, 0, 255)
                           16384, 0, 0, 10923,   // cool lamps from (255, 255, 0): red 255
                           0, 0, 0, 0});         // disc (255, 0, 0)
    actor->Restyle();
    EXPECT_EQ(random.draws(), 21);
    const Material* m = actor->model.materials;
    ExpectColour(m[3], 147, 0, 74, "top");
    ExpectColour(m[4], 147, 0, 74, "bottom");
    ExpectColour(m[0], 255, 0, 0, "disc");
    EXPECT_EQ(m[0].brightAmbient, 1);
    ExpectColour(m[1], 128, 128, 128, "lower hub");
    EXPECT_EQ(m[2].brightAmbient, 1);
    // Left in the list-1 state: warm lamps full and lit, cool lamps halved and glossy.
    for (int index = 5; index <= 10; ++index) {
        ExpectColour(m[index], 255, 0, 255, "warm lamp");
        EXPECT_EQ(m[index].brightAmbient, 1);
        EXPECT_EQ(m[index].shininess, 0.0f);
    }
    for (int index = 11; index <= 16; ++index) {
        ExpectColour(m[index], 127, 127, 0, "cool lamp");
        EXPECT_EQ(m[index].brightAmbient, 0);
        EXPECT_EQ(m[index].shininess, 0.5f);
    }
    // The light pattern: list 1 for the first quarter of every second.
    scene->time = 7.2;
    EXPECT_EQ(actor->ListToDraw(), 1);
    scene->time = 7.25;
    EXPECT_EQ(actor->ListToDraw(), 0);
    scene->time = 7.99;
    EXPECT_EQ(actor->ListToDraw(), 0);
}

TEST_F(LinkerTest, WithoutGlowSupportLinksAreDrawnInTheNormalDraw)
{
    LinkerActor* actor = linker();
    scene->glowSupported = false;
    UpdateLinkerWith(*scene, *actor, *mast(), *cruiser(), Vec3().Set(0, 0, -8), Vec3().Set(0, 0, -60));
    ASSERT_TRUE(actor->linkToMast);
    // Bring the pair into view and count the red line's pixels.
    actor->position.Set(-3, 0, 10);
    mast()->position.Set(3, 0, 10);
    auto redPixels = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        BeginFrameState();
        actor->Draw();
        int red = 0;
        for (int x = 0; x < width; ++x) {
            const auto p = PixelAt(x, height / 2);
            if (p[0] > 100 && p[1] < 40 && p[2] < 40)
                ++red;
        }
        return red;
    };
    EXPECT_GT(redPixels(), 20);
    // With glow support the normal draw shows no line.
    scene->glowSupported = true;
    EXPECT_EQ(redPixels(), 0);
}

TEST_F(LinkerTest, GlowPassRendersIntoTheTexture)
{
    if (!scene->glowSupported)
        GTEST_SKIP() << kNoGlowExtensions;
    LinkerActor* actor = linker();
    ASSERT_NE(actor->glowTexture, 0u);
    auto litTexels = [&] {
        std::vector<uint8_t> texels(LinkerActor::kGlowSize * LinkerActor::kGlowSize);
        glBindTexture(GL_TEXTURE_2D, actor->glowTexture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        int lit = 0;
        for (uint8_t t : texels)
            lit += t > 8;
        return lit;
    };
    EXPECT_EQ(litTexels(), 0);
    // The state a frame leaves for the next one's update phase.
    BeginFrameState();
    currentDirector->EndFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Fifteen seconds into an inward cycle the linker is well in view.
    scene->time = 20.0;
    actor->flight.cycleStart = 5.0;
    actor->flight.reverse = 0;
    const Vec3 at = actor->flight.PositionAt(20.0, 15.0f);
    cruiser()->position.Set(at.x, at.y, at.z + 15.0f);
    mast()->position.Set(0, 0, -100);
    actor->Update();
    ASSERT_TRUE(actor->glowing);
    ASSERT_FALSE(actor->linkToCruiser);
    const int modelTexels = litTexels();
    EXPECT_GT(modelTexels, 10);
    // The pass clears what it drew.
    EXPECT_EQ(CountLitPixels(0), 0);

    // With a link, the texture holds the line instead of the model, bright
    // although the line to the cruiser is blue.
    cruiser()->position.Set(at.x + 6.0f, at.y - 6.0f, at.z + 5.0f);
    actor->Update();
    ASSERT_TRUE(actor->linkToCruiser);
    EXPECT_GT(litTexels(), 20);
}

TEST_F(LinkerTest, GlowOverlayLayersAndColour)
{
    if (!scene->glowSupported)
        GTEST_SKIP() << kNoGlowExtensions;
    LinkerActor* actor = linker();
    // A white glow texture and the actor out of sight, so only the overlay shows.
    std::vector<uint8_t> white(LinkerActor::kGlowSize * LinkerActor::kGlowSize, 255);
    glBindTexture(GL_TEXTURE_2D, actor->glowTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, LinkerActor::kGlowSize, LinkerActor::kGlowSize, 0, GL_LUMINANCE,
                 GL_UNSIGNED_BYTE, white.data());
    auto render = [&](bool toMast, int reverse) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        BeginFrameState();
        actor->position.Set(0, 0, -50);
        actor->glowing = true;
        actor->drawWholeGlowLayers = true;  // the texture was not made by the glow pass
        actor->linkToMast = toMast;
        actor->linkToCruiser = false;
        actor->flight.reverse = reverse;
        actor->Draw();
    };
    // Shrinking layers: the corners get only the first layer at alpha 0.5.
    render(true, 0);
    auto corner = PixelAt(0, 0);
    EXPECT_NEAR(corner[0], 128, 3);
    EXPECT_NEAR(corner[1], 96, 3);
    EXPECT_NEAR(corner[2], 0, 2);
    auto centre = PixelAt(width / 2, height / 2);
    EXPECT_EQ(centre[0], 255);  // eight layers add up
    render(false, 0);
    corner = PixelAt(width - 1, height - 1);
    EXPECT_NEAR(corner[0], 0, 2);
    EXPECT_NEAR(corner[1], 64, 3);
    EXPECT_NEAR(corner[2], 128, 3);
    // Zooming layers cover the whole picture: the corners get all eight.
    render(false, 1);
    corner = PixelAt(1, 1);
    EXPECT_GT(corner[2], 250);
    EXPECT_NEAR(corner[1], 230, 6);  // 0.5 x (0.5 + 0.375 + ...) of 255
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

}  // namespace
