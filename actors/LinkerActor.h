#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "actors/FlyingActor.h"
#include "actors/GlowCoverage.h"
#include "scene/Gl.h"

// The colour of the glow layers: orange toward the mast actor, light blue
// otherwise; a warm grey of the same weight in sepia mode.
struct GlowColour {
    float red, green, blue;
};
GlowColour GlowColourFor(bool linkToMast, bool sepia);

// Model D flown along the flight cycle with the opposite direction rule, its
// lamps alternating between two light patterns. Within 12 units of the mast
// or the cruiser it draws a link line to it; where the renderer supports it,
// within 20 units it renders itself (or its links) into a small luminance
// texture and lays eight fading, zooming copies of it over the picture.
class LinkerActor : public FlyingActor {
public:
    static constexpr float kLinkDistance = 12.0f;
    static constexpr float kGlowDistance = 20.0f;
    static constexpr int kGlowSize = 128;
    static constexpr int kGlowLayers = 8;

    explicit LinkerActor(Scene* scene);
    ~LinkerActor() override;

    void Restyle() override;
    void Update() override;
    void Draw() override;
    // The glow pass into a texture of its own, and its overlay; the model's
    // two light patterns; without glow support, a link line.
    void WarmUpUpdate() override;
    void WarmUpDraw() override;

    // The light pattern the normal draw calls: list 1 for the first quarter of every second.
    int ListToDraw() const;

    GLuint glowTexture = 0;  // only with glow support
    bool linkToMast = false;
    bool linkToCruiser = false;
    bool glowing = false;
    // Draw every glow layer as one whole quad, black parts included: the
    // picture the lit-tile drawing must reproduce (tests compare the two).
    bool drawWholeGlowLayers = false;

private:
    static constexpr int kEmitModel = -1;  // a list number: emit the model directly

    enum class LinkLines { kNone, kInColour, kForGlow };
    void DrawBody(LinkLines drawLinks, bool fromList);
    // A list number, or kEmitModel.
    void DrawList(int list) override;
    void DrawLinkLine(const Vec3& from, const Vec3& to);
    // What the warm-up's glow pass draws: the model and a line.
    void DrawEveryGlowSubject();
    void RenderGlowTexture();
    // Draws the subject into the frame's corner, reads its red channel into
    // `texels` and `texture` (as luminance), and clears the corner.
    void CaptureGlow(GLuint texture, uint8_t* texels, const std::function<void()>& drawSubject);
    void DrawGlowOverlay(GLuint texture, const GlowCoverage& coverage, int layers, float step, float firstAlpha,
                         float alphaFactor);

    // The glow texture's texels as last rendered, and where they are lit.
    std::array<uint8_t, kGlowSize * kGlowSize> glowTexels_{};
    GlowCoverage glowCoverage_;
    // FromTexels reads kSize x kSize texels from glowTexels_.
    static_assert(GlowCoverage::kSize == kGlowSize, "the coverage must read the glow texture's size");
};
