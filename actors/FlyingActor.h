#pragma once

#include "actors/Actor.h"
#include "actors/FlightCycle.h"
#include "models/Model.h"

// A model actor that flies the flight cycle on its own path and restyles
// itself each time a cycle closes.
class FlyingActor : public Actor {
public:
    Model model;
    FlightCycle flight;

    // Both display lists: the two looks the flyer alternates between.
    void WarmUpDraw() override;

protected:
    FlyingActor(Scene* scene, const FlightPath& path) : Actor(scene), flight(path) {}

    static constexpr int kLists = 2;  // display lists of each flyer's model
    // The model from one of its lists, placed and turned for the frame.
    virtual void DrawList(int list) = 0;

    // Advances the flight to the show time, restyling if a cycle closed.
    void FollowFlight();
    // Outward and more than `distance` units to the side: where the flat,
    // brightly lit variant is shown.
    bool OutwardFarToTheSide(float distance) const;
};
