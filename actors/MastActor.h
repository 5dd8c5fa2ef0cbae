#pragma once

#include "actors/FlyingActor.h"

// Model C flown along the flight cycle, spinning fast, with a thin grey mast
// line above it. List 0 has the base plate half transparent, list 1 opaque
// and brightly lit, shown far out to the side.
class MastActor : public FlyingActor {
public:
    explicit MastActor(Scene* scene);

    void Restyle() override;
    void Update() override;
    void Draw() override;

    // The list Draw calls: 1 while outward and more than 9 units to the side.
    int ListToDraw() const;

private:
    void DrawList(int list) override;
};
