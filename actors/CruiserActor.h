#pragma once

#include "actors/FlyingActor.h"

// Model A flown along the flight cycle, spinning, with new random colours at
// the start of every outward cycle. List 0 is the glossy variant, list 1 the
// flat, brightly lit one shown far out to the side.
class CruiserActor : public FlyingActor {
public:
    explicit CruiserActor(Scene* scene);

    void Restyle() override;
    void Update() override;
    void Draw() override;

    // The list Draw calls: 1 while outward and more than 10 units to the side.
    int ListToDraw() const;

private:
    void DrawList(int list) override;
};
