#pragma once

#include "actors/Actor.h"
#include "actors/FlightCycle.h"
#include "models/Model.h"

// Model C flown along the flight cycle, spinning fast, with a thin grey mast
// line above it. List 0 has the base plate half transparent, list 1 opaque
// and brightly lit, shown far out to the side.
class MastActor : public Actor {
public:
    explicit MastActor(Scene* scene);

    void Restyle() override;
    void Update() override;
    void Draw() override;

    // The list Draw calls: 1 while outward and more than 9 units to the side.
    int ListToDraw() const;

    Model model;
    FlightCycle flight{kMastPath};
};
