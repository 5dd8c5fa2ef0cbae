#pragma once

#include "actors/Actor.h"
#include "models/Model.h"

// Keeps coming toward the viewer from random places on an ellipse around the
// line of sight: model B1 with the swinging sheet of model B2 over it. Past
// the near limit it goes back 100 units with a new place, heading, colours
// and chance of being shown.
class PasserActor : public Actor {
public:
    static constexpr float kNearLimit = 5.5f;

    explicit PasserActor(Scene* scene);

    void Restyle() override;
    void Update() override;
    void Draw() override;
    void WarmUpDraw() override;

    Model mainModel;
    Model wobbleModel;
    float heading = 0.0f;  // degrees about z
    bool visible = false;

private:
    void DrawShown(bool shown);
};
