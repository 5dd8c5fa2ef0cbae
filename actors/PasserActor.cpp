#include "actors/PasserActor.h"

#include <cmath>

#include "actors/RandomColor.h"
#include "models/data/EmbeddedModels.h"
#include "scene/Gl.h"
#include "scene/Scene.h"

namespace {

// Each channel 128..255.
void RandomLightColour(uint8_t colour[3])
{
    for (int channel = 0; channel < 3; ++channel)
        colour[channel] = static_cast<uint8_t>(static_cast<int>(128.0 * (RandomFraction() + 1.0)));
}

float RandomHeading()
{
    return static_cast<float>(30.0 * RandomFraction() - 15.0);
}

}  // namespace

PasserActor::PasserActor(Scene* scene) : Actor(scene)
{
    mainModel.copyFrom(modelB1, 1);
    wobbleModel.copyFrom(modelB2, 1);
    mainModel.meshes[0].hidden = 1;
    wobbleModel.meshes[1].hidden = 1;
    Restyle();

    heading = RandomHeading();
    const float angle = static_cast<float>(2.0 * 3.1415 * RandomFraction());
    const double depth = 5.5 - 100.0 * RandomFraction();
    position.Set(static_cast<float>(28.0 * std::sin(angle)), static_cast<float>(21.0 * std::cos(angle)),
                 static_cast<float>(depth));
    visible = RandomBelow(2.0) != 0;
}

void PasserActor::Restyle()
{
    mainModel.meshes[0].hidden = 1;
    wobbleModel.meshes[1].hidden = 1;
    wobbleModel.meshes[0].hidden = RandomBelow(2.0) != 0 ? 1 : 0;
    RandomLightColour(mainModel.materials[1].color);
    RandomLightColour(wobbleModel.materials[0].color);
    mainModel.compileList(0);
    wobbleModel.compileList(0);
}

void PasserActor::Update()
{
    position.z = position.z + 100.0f / (scene->fps * 5.0f);
    if (position.z <= kNearLimit)
        return;

    // One pass back per 100 units overshot: at under 0.2 frames a second a
    // step is longer than a pass, and a single step back would leave the
    // path for good.
    const double overshoot = static_cast<double>(position.z) - kNearLimit;
    position.z = static_cast<float>(position.z - 100.0 * std::ceil(overshoot / 100.0));
    const double angle = 2.0 * 3.14159 * RandomFraction();
    const double x = 28.0 * std::sin(angle);
    const double y = 28.0 * std::cos(angle) * 0.75;
    position.x = static_cast<float>(x);
    position.y = static_cast<float>(y);
    heading = RandomHeading();
    // It faces the other way in the upper half of the ellipse.
    if (position.y > 0.0f)
        heading = heading + 180.0f;
    visible = RandomBelow(3.0) == 0;
    Restyle();
}

void PasserActor::Draw()
{
    DrawShown(visible);
}

void PasserActor::WarmUpDraw()
{
    DrawShown(true);
}

void PasserActor::DrawShown(bool shown)
{
    // Its fog range is set even when it is not shown.
    glFogi(GL_FOG_START, 0);
    glFogi(GL_FOG_END, 100);
    glEnable(GL_FOG);
    if (!shown)
        return;

    glPushMatrix();
    // Its depth counts the other way from the frame's: a pass runs from -94.5
    // (drawn at the far plane, 94.5) to 5.5 (drawn at the eye plane, -5.5),
    // so that it comes out of the fog toward the viewer. Drawn at z itself it
    // would fly from behind the eye and never enter the view.
    glTranslatef(position.x, position.y, -position.z);
    glScalef(0.5f, 0.5f, 0.5f);
    glRotatef(heading, 0.0f, 0.0f, 1.0f);
    mainModel.callList(0);
    glRotatef(static_cast<float>(25.0 * std::sin(scene->time * 4.0)), 0.5f, 0.5f, 1.0f);
    wobbleModel.callList(0);
    glPopMatrix();
}
