#include "show/Director.h"

#include "actors/Actor.h"
#include "actors/Cast.h"
#include "scene/Gl.h"
#include "scene/ShowLighting.h"
#include "scene/ShowState.h"
#include "scene/Scene.h"
#include "scene/TextOverlay.h"

Director* currentDirector = nullptr;
long long lastPeriod = 0;
long long lastStep = -1;

void ResetShowState()
{
    currentDirector = nullptr;
    currentCast = nullptr;
    sepiaMode = false;
    lastPeriod = 0;
    lastStep = -1;
}

namespace {

const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};

constexpr int kPeriodSeconds = 20;
constexpr double kSepiaStepsPerSecond = 24.0;
constexpr float kSepiaFpsCap = 24.0f;

void DrawMember(Actor* actor, void (Actor::*drawMember)())
{
    if (actor)
        (actor->*drawMember)();
}

}  // namespace

Stage* CreateStage(int kind, Scene* scene)
{
    if (kind != 0)
        return nullptr;
    return new Director(scene);
}

Director::Director(Scene* scene) : Stage(scene)
{
    currentDirector = this;
    currentCast = this;
}

Director::~Director()
{
    for (Actor*& actor : cast) {
        delete actor;
        actor = nullptr;
    }
    // Nothing may reach the cast through a Director that is gone.
    if (currentDirector == this)
        currentDirector = nullptr;
    if (currentCast == this)
        currentCast = nullptr;
}

void Director::Setup()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);
    glEnable(GL_NORMALIZE);

    // Each pointer is stored as soon as it exists: later members (the linker)
    // look up earlier ones through currentDirector while they are built.
    cast[kStarField] = NewStarField(scene);
    cast[kPasser] = NewPasser(scene);
    cast[kMast] = NewMast(scene);
    cast[kCruiser] = NewCruiser(scene);
    cast[kLinker] = NewLinker(scene);
}

void Director::Update()
{
    // 64-bit steps: a 32-bit step count runs out after 2.8 years of show time.
    const long long period = static_cast<long long>(scene->time) / kPeriodSeconds;
    if (period != lastPeriod) {
        // Once per change, however many periods a stall skipped.
        lastPeriod = period;
        sepiaMode = !sepiaMode;
        for (Actor* actor : cast)
            if (actor)
                actor->Restyle();
    }

    const long long step = static_cast<long long>(scene->time * kSepiaStepsPerSecond);
    if (sepiaMode) {
        if (scene->fps > kSepiaFpsCap)
            scene->fps = kSepiaFpsCap;
        if (step == lastStep)
            return;
    }
    lastStep = step;

    for (Actor* actor : cast)
        if (actor)
            actor->Update();
}

void Director::BeginFrame()
{
    BeginShowLighting();
}

void Director::Draw()
{
    DrawCast(&Actor::Draw);
}

void Director::DrawCast(void (Actor::*drawMember)())
{
    PlaceShowLight();

    glEnable(GL_NORMALIZE);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glEnable(GL_POINT_SMOOTH);

    glDisable(GL_LIGHTING);
    DrawMember(starField(), drawMember);
    glEnable(GL_LIGHTING);

    DrawMember(passer(), drawMember);

    glFogi(GL_FOG_START, 80);
    glFogi(GL_FOG_END, 100);
    glEnable(GL_FOG);

    DrawMember(mast(), drawMember);
    DrawMember(cruiser(), drawMember);
    DrawMember(linker(), drawMember);

    glDisable(GL_LIGHTING);
    glColor3f(0.6f, 0.6f, 0.5f);
    if (scene->overlay)
        scene->overlay->Print(5.5f, -5.0f, kFrameRateFormat, static_cast<double>(scene->fps));
    glColor3f(1.0f, 1.0f, 1.0f);
}

void Director::EndFrame()
{
    glDisable(GL_NORMALIZE);
    glDisable(GL_BLEND);
    glDisable(GL_COLOR_MATERIAL);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void Director::WarmUp()
{
    // One frame's drawing between the Scene's matrix push and pop, then the
    // update phase as the show's frames find it: after a drawn frame.
    glPushMatrix();
    BeginFrame();
    DrawCast(&Actor::WarmUpDraw);
    glPopMatrix();
    EndFrame();
    for (Actor* actor : cast)
        if (actor)
            actor->WarmUpUpdate();
}
