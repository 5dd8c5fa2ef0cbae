#pragma once

#include "actors/Actor.h"

// One point as glInterleavedArrays(GL_C3F_V3F) reads it: colour, then position.
struct StarPoint {
    float red, green, blue;
    float x, y, z;
};
static_assert(sizeof(StarPoint) == 24, "StarPoint must be tightly packed for GL_C3F_V3F");

// The backdrop. In colour mode three layers of stars stream toward the viewer
// and are sent back to the far plane when they leave the view; in sepia mode
// a row of light points drifts sideways and dark specks and blotches are
// scattered anew at every step.
class StarField : public Actor {
public:
    static constexpr int kDriftPoints = 16;
    static constexpr int kBlueStars = 64;
    static constexpr int kWarmStars = 32;
    static constexpr int kDimStars = 64;
    static constexpr int kSpeckSlots = 200;
    static constexpr int kBlotchSlots = 4;
    static constexpr int kWarmUpUpdates = 300;

    explicit StarField(Scene* scene);

    void Update() override;
    void Draw() override;
    void WarmUpDraw() override;

    StarPoint driftPoints[kDriftPoints] = {};
    StarPoint blueStars[kBlueStars] = {};
    StarPoint warmStars[kWarmStars] = {};
    StarPoint dimStars[kDimStars] = {};
    StarPoint specks[kSpeckSlots] = {};
    StarPoint blotches[kBlotchSlots] = {};
    int speckCount = 0;   // 100..199 once sepia mode has stepped
    int blotchCount = 0;  // 0..3

private:
    void UpdateStars();
    void UpdateSepia();
    // The layers of one mode, with that many specks and blotches in sepia.
    void DrawLayers(bool sepia, int specksShown, int blotchesShown);
};
