#include "actors/MastActor.h"

#include "actors/RandomColor.h"
#include "models/MaterialColor.h"
#include "models/data/EmbeddedModels.h"
#include "scene/Gl.h"
#include "scene/Scene.h"

namespace {
constexpr int kBody = 0;
constexpr int kPlate = 1;
constexpr int kVanes[] = {2, 3, 4};
constexpr int kPods[] = {5, 6, 7};
constexpr float kByteToFloat = 0.003921569f;
constexpr float kFlatSideDistance = 9.0f;
}  // namespace

MastActor::MastActor(Scene* scene) : FlyingActor(scene, kMastPath)
{
    model.copyFrom(modelC, kLists);

    Material* materials = model.materials;
    materials[kPlate].brightAmbient = 1;
    const uint8_t plate[3] = {220, 220, 64};
    SetMaterialColour(materials[kPlate], plate);
    materials[kBody].shininess = 0.6f;
    for (int index = 2; index <= 7; ++index) {
        materials[index].shininess = 0.8f;
        materials[index].specular[0] = 255.0f;
        materials[index].specular[1] = 64.0f;
        materials[index].specular[2] = 64.0f;
    }

    flight.cycleStart = 0.0;
    flight.reverse = 0;
    Restyle();
}

void MastActor::Restyle()
{
    Material* materials = model.materials;
    if (flight.reverse == 0) {
        uint8_t body[3];
        RandomColorInRange(body, 128, 128);
        SetMaterialColour(materials[kBody], body);
        for (int c = 0; c < 3; ++c)
            materials[kBody].specular[c] = body[c] * kByteToFloat;

        uint8_t pod[3];
        RandomSaturatedColor(pod);
        for (int index : kPods) {
            SetMaterialColour(materials[index], pod);
            for (int c = 0; c < 3; ++c)
                materials[index].specular[c] = (pod[c] * kByteToFloat + 1.0f) * 0.5f;
        }

        uint8_t vane[3];
        RandomColorInRange(vane, 0, 256);
        for (int index : kVanes) {
            SetMaterialColour(materials[index], vane);
            for (int c = 0; c < 3; ++c)
                materials[index].specular[c] = vane[c] * kByteToFloat;
        }
    }

    materials[kPlate].brightAmbient = 0;
    materials[kPlate].transparency = 0.5f;
    model.compileList(0);
    materials[kPlate].brightAmbient = 1;
    materials[kPlate].transparency = 0.0f;
    model.compileList(1);
}

void MastActor::Update()
{
    FollowFlight();
}

int MastActor::ListToDraw() const
{
    return OutwardFarToTheSide(kFlatSideDistance) ? 1 : 0;
}

void MastActor::Draw()
{
    DrawList(ListToDraw());
}

void MastActor::DrawList(int list)
{
    // The cull face set by the frame set-up stays in force.
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    const float f = static_cast<float>(flight.reverse);
    glRotatef(SpinAngle(scene->time, 200.0), f, f + 0.05f, 1.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glScalef(0.2f, 0.2f, 0.2f);
    model.callList(list);

    glColor3f(0.6f, 0.6f, 0.6f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 16.0f, 0.0f);
    glVertex3f(0.0f, 20.0f, 0.0f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
}
