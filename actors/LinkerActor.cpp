#include "actors/LinkerActor.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "actors/CastRoster.h"
#include "actors/RandomColor.h"
#include "models/MaterialColor.h"
#include "models/data/EmbeddedModels.h"
#include "scene/Scene.h"
#include "scene/ShowState.h"
#include "scene/TextOverlay.h"

namespace {

constexpr int kDisc = 0;
constexpr int kLowerHub = 1;
constexpr int kUpperHub = 2;
constexpr int kTopLayer = 3;
constexpr int kBottomLayer = 4;
constexpr int kFirstWarmLamp = 5;   // 5..10
constexpr int kFirstCoolLamp = 11;  // 11..16
constexpr int kLampsPerGroup = 6;

constexpr int kGlowClearMargin = 4;

// The warm-up's link line, in the middle of the view whatever the size.
const Vec3 kWarmUpLineFrom{0.0f, 0.0f, 0.0f};
const Vec3 kWarmUpLineTo{1.0f, 1.0f, 0.0f};

const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kBlack[] = {0.0f, 0.0f, 0.0f, 1.0f};


void Halve(const uint8_t colour[3], uint8_t halved[3])
{
    for (int c = 0; c < 3; ++c)
        halved[c] = static_cast<uint8_t>(colour[c] >> 1);
}

void SetLamps(Material* materials, int first, const uint8_t colour[3], float shininess, uint8_t brightAmbient)
{
    for (int index = first; index < first + kLampsPerGroup; ++index) {
        SetMaterialColour(materials[index], colour);
        materials[index].shininess = shininess;
        materials[index].brightAmbient = brightAmbient;
    }
}

float Distance(const Vec3& a, const Vec3& b)
{
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    const float dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The watched actors, through the show that owns them; null when absent.
const Actor* Mast()
{
    return currentCast ? currentCast->mast() : nullptr;
}
const Actor* Cruiser()
{
    return currentCast ? currentCast->cruiser() : nullptr;
}

// One glow layer: texture coordinates [low, high] on both axes span the
// overlay rectangle from (left, bottom) to (right, top). The window's own
// edges map to the rectangle's exact corners, so a layer drawn whole is the
// same quad however it is cut.
struct LayerMapping {
    float low, high;
    float left, right, bottom, top;

    static float Map(float coordinate, float low, float high, float from, float to)
    {
        if (coordinate == low)
            return from;
        if (coordinate == high)
            return to;
        return from + (coordinate - low) * ((to - from) / (high - low));
    }

    // The part of `rect` inside the window, corners in the whole layer's order.
    void Emit(const GlowCoverage::Rect& rect) const
    {
        const float s0 = std::max(rect.s0, low), s1 = std::min(rect.s1, high);
        const float t0 = std::max(rect.t0, low), t1 = std::min(rect.t1, high);
        if (s0 >= s1 || t0 >= t1)
            return;
        const float x0 = Map(s0, low, high, left, right), x1 = Map(s1, low, high, left, right);
        const float y0 = Map(t0, low, high, bottom, top), y1 = Map(t1, low, high, bottom, top);
        glTexCoord2f(s0, t1);
        glVertex2f(x0, y1);
        glTexCoord2f(s0, t0);
        glVertex2f(x0, y0);
        glTexCoord2f(s1, t0);
        glVertex2f(x1, y0);
        glTexCoord2f(s1, t1);
        glVertex2f(x1, y1);
    }
};

// Bound to GL_TEXTURE_2D: 128 x 128 blank texels of `format` (GL_RGBA or
// GL_LUMINANCE), linear filters.
void SpecifyBlankGlowTexture(GLuint texture, GLenum format)
{
    const std::vector<uint8_t> blank(static_cast<size_t>(LinkerActor::kGlowSize) * LinkerActor::kGlowSize * 4, 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), LinkerActor::kGlowSize, LinkerActor::kGlowSize, 0,
                 format, GL_UNSIGNED_BYTE, blank.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// A blank glow-sized texture for the warm-up, deleted with it.
struct ScratchTexture {
    explicit ScratchTexture(GLenum format)
    {
        glGenTextures(1, &name);
        SpecifyBlankGlowTexture(name, format);
    }
    ~ScratchTexture() { glDeleteTextures(1, &name); }
    ScratchTexture(const ScratchTexture&) = delete;
    ScratchTexture& operator=(const ScratchTexture&) = delete;

    GLuint name = 0;
};

const GlowCoverage& WholeCoverage()
{
    static const GlowCoverage whole = [] {
        GlowCoverage all;
        all.Whole();
        return all;
    }();
    return whole;
}

}  // namespace

GlowColour GlowColourFor(bool linkToMast, bool sepia)
{
    GlowColour colour = linkToMast ? GlowColour{1.0f, 0.75f, 0.0f} : GlowColour{0.0f, 0.5f, 1.0f};
    if (sepia) {
        const SepiaTone tone = SepiaToneOf(colour.red, colour.green, colour.blue);
        colour = GlowColour{tone.red, tone.green, tone.blue};
    }
    return colour;
}

LinkerActor::LinkerActor(Scene* scene) : FlyingActor(scene, kLinkerPath)
{
    model.copyFrom(modelD, kLists);
    flight.cycleStart = 0.0;
    flight.reverse = 0;

    Material* materials = model.materials;
    materials[kLowerHub].transparency = 0.1f;
    materials[kUpperHub].transparency = 0.4f;
    materials[kLowerHub].brightAmbient = 1;

    if (scene->glowSupported) {
        glGenTextures(1, &glowTexture);
        SpecifyBlankGlowTexture(glowTexture, GL_RGBA);
    }

    Restyle();
}

LinkerActor::~LinkerActor()
{
    if (glowTexture != 0)
        glDeleteTextures(1, &glowTexture);
}

void LinkerActor::Restyle()
{
    Material* materials = model.materials;

    uint8_t hull[3];
    RandomColorInRange(hull, 0, 148);
    for (int index : {kTopLayer, kBottomLayer, kDisc})
        SetMaterialColour(materials[index], hull);
    materials[kDisc].brightAmbient = 0;

    RandomColorInRange(materials[kLowerHub].color, 128, 128);
    RandomColorInRange(materials[kUpperHub].color, 128, 128);

    uint8_t warm[3], cool[3], halved[3];
    RandomSaturatedColor(warm);
    Halve(warm, halved);
    SetLamps(materials, kFirstWarmLamp, halved, 0.5f, 0);

    RandomSaturatedColor(cool);
    // Black or white: every channel takes the red of the drawn colour.
    const uint8_t grey[3] = {cool[0], cool[0], cool[0]};
    SetLamps(materials, kFirstCoolLamp, grey, 0.0f, 1);

    materials[kUpperHub].brightAmbient = 1;
    model.compileList(0);

    uint8_t disc[3];
    RandomSaturatedColor(disc);
    SetMaterialColour(materials[kDisc], disc);
    materials[kDisc].brightAmbient = 1;
    SetLamps(materials, kFirstWarmLamp, warm, 0.0f, 1);
    Halve(cool, halved);
    SetLamps(materials, kFirstCoolLamp, halved, 0.5f, 0);
    model.compileList(1);
}

void LinkerActor::Update()
{
    FollowFlight();

    // Absent actors are out of reach.
    const Actor* mast = Mast();
    const Actor* cruiser = Cruiser();
    const float toMast = mast ? Distance(position, mast->position) : HUGE_VALF;
    const float toCruiser = cruiser ? Distance(position, cruiser->position) : HUGE_VALF;
    linkToMast = toMast < kLinkDistance;
    linkToCruiser = toCruiser < kLinkDistance;
    glowing = scene->glowSupported && (toMast < kGlowDistance || toCruiser < kGlowDistance);
    if (glowing)
        RenderGlowTexture();
}

int LinkerActor::ListToDraw() const
{
    const long long quarters = static_cast<long long>(scene->time * 4.0);
    return quarters % 4 == 0 ? 1 : 0;
}

void LinkerActor::DrawLinkLine(const Vec3& from, const Vec3& to)
{
    glLightfv(GL_LIGHT0, GL_AMBIENT, kWhite);
    glLineWidth(2.0f);
    glEnable(GL_LINE_SMOOTH);
    glBegin(GL_LINES);
    glVertex3f(from.x, from.y, from.z);
    glVertex3f(to.x, to.y, to.z);
    glEnd();
    glDisable(GL_LINE_SMOOTH);
    glLineWidth(1.0f);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kBlack);
}

void LinkerActor::DrawList(int list)
{
    glCullFace(GL_BACK);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(SpinAngle(scene->time, 510.0), 0.0f, -1.0f, 0.05f);
    glScalef(0.08f, 0.08f, 0.08f);
    if (list == kEmitModel)
        model.emit();
    else
        model.callList(list);
    glPopMatrix();
}

void LinkerActor::DrawBody(LinkLines drawLinks, bool fromList)
{
    if (fromList)
        DrawList(ListToDraw());
    else if (!linkToMast && !linkToCruiser)
        DrawList(kEmitModel);

    if (drawLinks == LinkLines::kNone)
        return;
    const Actor* mast = Mast();
    const Actor* cruiser = Cruiser();
    // The glow texture keeps only the red channel of what is drawn into it
    // (a luminance copy), so a blue line would leave no trace there: lines
    // meant for the glow are drawn white and take their colour from the overlay.
    const bool forGlow = drawLinks == LinkLines::kForGlow;
    if (linkToMast && mast) {
        if (forGlow)
            glColor3f(1.0f, 1.0f, 1.0f);
        else if (sepiaMode)
            glColor3f(0.4333f, 0.4333f, 0.3333f);
        else
            glColor3f(1.0f, 0.0f, 0.0f);
        DrawLinkLine(position, mast->position);
    }
    if (linkToCruiser && cruiser) {
        if (forGlow)
            glColor3f(1.0f, 1.0f, 1.0f);
        else if (sepiaMode)
            glColor3f(0.3222f, 0.3222f, 0.2222f);
        else
            glColor3f(0.0f, 0.0f, 1.0f);
        DrawLinkLine(position, cruiser->position);
    }
    if (sepiaMode)
        glColor3f(1.0999f, 1.0999f, 0.9999f);
    else
        glColor3f(1.0f, 1.0f, 1.0f);
}

void LinkerActor::DrawEveryGlowSubject()
{
    // The line first: a pass with links draws no model, so its lines find
    // the state the last frame left (unlit), not what the model sets up.
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawLinkLine(kWarmUpLineFrom, kWarmUpLineTo);
    DrawList(kEmitModel);
}

void LinkerActor::RenderGlowTexture()
{
    CaptureGlow(glowTexture, glowTexels_.data(), [this] { DrawBody(LinkLines::kForGlow, false); });
    glowCoverage_.FromTexels(glowTexels_.data());
}

void LinkerActor::CaptureGlow(GLuint texture, uint8_t* texels, const std::function<void()>& drawSubject)
{
    // Drawn into the lower-left corner of the frame, which is cleared
    // afterwards: the update phase runs before anything of the frame is drawn.
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, kGlowSize, kGlowSize);
    drawSubject();
    // The texture is the corner's red channel as luminance, what a luminance
    // copy of the frame gives. It goes through memory, where the coverage
    // reads it too: a copy inside GL gives the same texels but makes a
    // software renderer build a converting blit on first use, tens of
    // milliseconds in the middle of the show.
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kGlowSize, kGlowSize, GL_RED, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // Rows of 128 bytes: whole at any unpack alignment.
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, kGlowSize, kGlowSize, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels);
    // The rest of the frame is still as the frame's own clear left it: clear
    // only the corner (and the pixel or two a smooth wide line reaches past
    // its viewport), not the whole frame a second time.
    glScissor(0, 0, kGlowSize + kGlowClearMargin, kGlowSize + kGlowClearMargin);
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

void LinkerActor::WarmUpUpdate()
{
    if (!scene->glowSupported)
        return;
    // Into a texture of the warm-up's own: the glow texture keeps its content.
    const ScratchTexture scratch(GL_RGBA);
    std::vector<uint8_t> texels(static_cast<size_t>(kGlowSize) * kGlowSize);
    CaptureGlow(scratch.name, texels.data(), [this] { DrawEveryGlowSubject(); });
}

void LinkerActor::WarmUpDraw()
{
    FlyingActor::WarmUpDraw();
    if (!scene->glowSupported) {
        glColor3f(1.0f, 0.0f, 0.0f);
        DrawLinkLine(kWarmUpLineFrom, kWarmUpLineTo);
        glColor3f(1.0f, 1.0f, 1.0f);
        return;
    }
    // Luminance, as the glow pass's copy leaves the glow texture.
    const ScratchTexture scratch(GL_LUMINANCE);
    DrawGlowOverlay(scratch.name, WholeCoverage(), kGlowLayers, -0.01f, 0.5f, 0.75f);
}

void LinkerActor::Draw()
{
    // With glow support the link lines are seen only through the glow.
    DrawBody(scene->glowSupported ? LinkLines::kNone : LinkLines::kInColour, true);
    if (glowing)
        DrawGlowOverlay(glowTexture, drawWholeGlowLayers ? WholeCoverage() : glowCoverage_, kGlowLayers,
                        flight.reverse == 1 ? 0.01f : -0.01f, 0.5f, 0.75f);
}

void LinkerActor::DrawGlowOverlay(GLuint texture, const GlowCoverage& coverage, int layers, float step,
                                  float firstAlpha, float alphaFactor)
{
    const GlowColour colour = GlowColourFor(linkToMast, sepiaMode);
    // A positive step zooms into the texture; a negative one draws the whole
    // texture on ever smaller rectangles.
    const float textureAdvance = step > 0.0f ? step : 0.0f;
    const float insetAdvance = step > 0.0f ? 0.0f : -step;

    // Unlit, so that the layers show the glow colour: lit by the light of the
    // scene with whatever normal was last sent, they came out nearly black.
    glDisable(GL_LIGHTING);
    // The layers lie at eye depth 0, where linear fog leaves a colour as it
    // is: fog off draws the same pixels for less work in every one of them.
    const GLboolean fog = glIsEnabled(GL_FOG);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, texture);
    BeginOverlay2D();
    glBegin(GL_QUADS);
    float s = 0.0f;
    float t = 0.0f;
    float alpha = firstAlpha;
    for (int layer = 0; layer < layers; ++layer) {
        glColor4f(colour.red, colour.green, colour.blue, alpha);
        // The layer shows the texture window [t, 1 - t] on the overlay
        // rectangle inset by s; only the lit parts of it are drawn, each with
        // the texture coordinates and place it has in the whole layer.
        const LayerMapping layerMap{t, 1.0f - t, 320.0f * s, 640.0f - 320.0f * s, 480.0f - 240.0f * s, 240.0f * s};
        for (const GlowCoverage::Rect& rect : coverage)
            layerMap.Emit(rect);
        s += insetAdvance;
        t += textureAdvance;
        alpha *= alphaFactor;
    }
    glEnd();
    EndOverlay2D();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_LIGHTING);
    if (fog)
        glEnable(GL_FOG);
}
