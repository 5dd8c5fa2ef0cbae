#include "actors/CruiserActor.h"

#include "actors/RandomColor.h"
#include "models/MaterialColor.h"
#include "models/data/EmbeddedModels.h"
#include "scene/Gl.h"
#include "scene/Scene.h"

namespace {
constexpr int kHull = 0;
constexpr int kBase = 1;
constexpr int kShaft = 10;
constexpr int kFins[] = {2, 4, 6, 8};
constexpr int kFinEdges[] = {3, 5, 7, 9};
constexpr float kFlatSideDistance = 10.0f;
}  // namespace

CruiserActor::CruiserActor(Scene* scene) : FlyingActor(scene, kCruiserPath)
{
    model.copyFrom(modelA, kLists);
    flight.cycleStart = 0.0;
    flight.reverse = 0;
    Restyle();
}

void CruiserActor::Restyle()
{
    Material* materials = model.materials;
    // An inward cycle keeps the colours it had.
    if (flight.reverse == 0) {
        RandomSaturatedColor(materials[kBase].color);
        RandomColorInRange(materials[kShaft].color, 128, 128);

        uint8_t fin[3];
        RandomSaturatedColor(fin);
        for (int index : kFins) {
            SetMaterialColour(materials[index], fin);
            materials[index].shininess = 0.5f;
        }

        uint8_t edge[3];
        for (uint8_t& channel : edge)
            channel = static_cast<uint8_t>(RandomBelow(255.0));
        for (int index : kFinEdges)
            SetMaterialColour(materials[index], edge);
    }

    materials[kHull].brightAmbient = 0;
    materials[kHull].shininess = 0.5f;
    model.compileList(0);
    materials[kHull].brightAmbient = 1;
    materials[kHull].shininess = 0.0f;
    model.compileList(1);
}

void CruiserActor::Update()
{
    FollowFlight();
}

int CruiserActor::ListToDraw() const
{
    return OutwardFarToTheSide(kFlatSideDistance) ? 1 : 0;
}

void CruiserActor::Draw()
{
    DrawList(ListToDraw());
}

void CruiserActor::DrawList(int list)
{
    glCullFace(GL_BACK);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    // Outward it spins about (0, 0.05, -1), inward about (1, 1.05, -1).
    const float f = static_cast<float>(flight.reverse);
    glRotatef(SpinAngle(scene->time, 50.0), f, f + 0.05f, -1.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glScalef(0.4f, 0.4f, 0.4f);
    model.callList(list);
    glPopMatrix();
}
