#include "actors/FlyingActor.h"

#include <cmath>

#include "scene/Scene.h"

void FlyingActor::FollowFlight()
{
    const FlightCycle::Step step = flight.Advance(scene->time);
    if (step.cycleClosed)
        Restyle();
    position = step.position;
}

bool FlyingActor::OutwardFarToTheSide(float distance) const
{
    return std::fabs(position.x) > distance && flight.reverse == 0;
}

void FlyingActor::WarmUpDraw()
{
    for (int list = 0; list < kLists; ++list)
        DrawList(list);
}
