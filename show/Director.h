#pragma once

#include "actors/CastRoster.h"
#include "scene/ShowState.h"
#include "scene/Stage.h"

class Actor;

// The show: owns the cast, sets lights, fog and blending, flips between colour
// and sepia mode every 20 seconds and steps the cast 24 times a second in
// sepia mode, and prints the frame rate.
class Director : public Stage, public CastRoster {
public:
    explicit Director(Scene* scene);
    // The cast goes with the Director that created it, while the GL context
    // that holds their display lists is still current.
    ~Director() override;
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    void Setup() override;
    void Update() override;
    void Draw() override;
    void BeginFrame() override;
    void EndFrame() override;
    // One frame of every cast member's state combinations, both modes'.
    void WarmUp() override;

    // The cast in update order; a member that could not be created is null
    // and is skipped.
    enum CastSlot { kStarField, kPasser, kMast, kCruiser, kLinker, kCastSize };
    Actor* cast[kCastSize] = {};

    Actor* starField() const { return cast[kStarField]; }
    Actor* passer() const { return cast[kPasser]; }
    Actor* mast() const override { return cast[kMast]; }
    Actor* cruiser() const override { return cast[kCruiser]; }
    Actor* linker() const { return cast[kLinker]; }

private:
    // The frame's drawing, each member drawn by `drawMember`.
    void DrawCast(void (Actor::*drawMember)());
};

// Process-wide show state.
extern Director* currentDirector;  // the most recently constructed Director
extern long long lastPeriod;       // last 20-second period seen
extern long long lastStep;         // last 1/24-second step at which the cast moved

// Back to the values a fresh process starts with (tests, repeated runs).
void ResetShowState();

// The frame-rate text, as the Director prints it.
inline constexpr const char* kFrameRateFormat = "%5.2f fps";
