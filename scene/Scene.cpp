#include "scene/Scene.h"

#include <cstring>
#include <new>

#include "scene/FrameCamera.h"
#include "scene/FrameClock.h"
#include "scene/Gl.h"
#include "scene/RandomSource.h"
#include "scene/Stage.h"
#include "scene/StageWarmUp.h"
#include "scene/TextOverlay.h"

namespace {

bool stageWarmUp = true;

}  // namespace

void SetStageWarmUp(bool enabled)
{
    stageWarmUp = enabled;
}

bool ExtensionsSupportGlow(const char* extensions)
{
    if (!extensions)
        return false;
    return std::strstr(extensions, "GL_EXT_compiled_vertex_array") != nullptr
        && std::strstr(extensions, "GL_ARB_multitexture") != nullptr;
}

Scene::Scene(int width, int height, int /*sceneParameter*/)
{
    overlay = nullptr;
    stage = nullptr;

    SeedRandom(ShowSeed());

    Resize(width, height);

    overlay = new (std::nothrow) TextOverlay(kOverlayFace, kOverlayPixelHeight, kOverlayWeight);

    stageKind = 0;
    depthTest = true;
    fps = 10.0f;

    glowSupported = ExtensionsSupportGlow(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));

    stage = CreateStage(stageKind, this);
    if (stage)
        stage->Setup();

    if (depthTest) {
        glClearDepth(1.0);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    }

    if (stage && stageWarmUp)
        WarmUpStage(*stage);

    TickSource& ticks = CurrentTickSource();
    frameClock.counterFrequency = ticks.Frequency();
    frameClock.counterStart = ticks.Now();
    time = 0.0;
}

void Scene::Resize(int width, int height)
{
    this->width = width;
    this->height = height;
    glViewport(0, 0, width, height);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window can be momentarily zero pixels high; keep the aspect finite.
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    gluPerspective(90.0, aspect, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
}

Scene::~Scene()
{
    // The cast outlives the Director; it lives as long as the GL context.
    delete stage;
    stage = nullptr;
    delete overlay;
    overlay = nullptr;
}

bool Scene::RenderFrame(int /*sceneParameter*/)
{
    const bool backBufferFrame = BeginFrame(true);
    Update();
    Draw();
    drawnSinceClear_ = true;

    glFlush();
    return backBufferFrame;
}

void Scene::AdvanceFrame()
{
    BeginFrame(drawnSinceClear_);
    drawnSinceClear_ = false;
    Update();
}

bool Scene::BeginFrame(bool clear)
{
    const bool incremental = stage && stage->DrawsIncrementally();
    const bool backBufferFrame = !incremental || frameClock.redrawCount != 0;

    glLoadIdentity();
    if (backBufferFrame) {
        glDrawBuffer(GL_BACK);
        if (clear)
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else {
        glDrawBuffer(GL_FRONT);
        if (clear)
            glClear(GL_DEPTH_BUFFER_BIT);
    }
    if (frameClock.redrawCount != 0)
        --frameClock.redrawCount;

    PlaceFrameCamera();
    return backBufferFrame;
}

void Scene::Update()
{
    Tick();
    fps = static_cast<float>(frameClock.fpsAverage);
    if (stage)
        stage->Update();
}

void Scene::Draw()
{
    glPushMatrix();
    if (stage) {
        stage->BeginFrame();
        stage->Draw();
    }
    glPopMatrix();
    if (stage)
        stage->EndFrame();
}

void Scene::Tick()
{
    frameClock.frameCounter += 1;

    const int64_t now = CurrentTickSource().Now();
    const int64_t ms = TicksToMilliseconds(now - frameClock.counterStart, frameClock.counterFrequency);
    time = static_cast<double>(ms) * 0.001;

    if (frameClock.frameCounter == 10) {
        frameClock.frameCounter = 0;
        const double elapsed = time - frameClock.lastSampleTime;
        frameClock.lastSampleTime = time;
        // Ten frames inside one millisecond (no pause between frames, or a
        // clock that stood still) have no measurable rate; an infinite sample
        // would stick in the average for good.
        if (elapsed > 0.0)
            frameClock.fpsAverage = (10.0 / elapsed + frameClock.fpsAverage) * 0.5;
    }
}
