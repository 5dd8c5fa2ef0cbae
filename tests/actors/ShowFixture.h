#pragma once

#include <cstdint>
#include <memory>

#include "actors/CruiserActor.h"
#include "actors/LinkerActor.h"
#include "actors/MastActor.h"
#include "actors/PasserActor.h"
#include "actors/StarField.h"
#include "show/Director.h"
#include "scene/FrameClock.h"
#include "scene/Scene.h"
#include "tests/support/GlTest.h"

// Why a glow test skips: the Scene found the extensions missing, so the
// show draws no glow and there is nothing to check.
inline constexpr const char* kNoGlowExtensions =
    "this GL lacks GL_EXT_compiled_vertex_array or GL_ARB_multitexture: the show draws no glow here";

// A clock the test sets to whole milliseconds.
class ManualTicks : public TickSource {
public:
    int64_t Frequency() override { return 1000; }
    int64_t Now() override { return now; }
    int64_t now = 0;
};

// The whole show in an offscreen context, with a clock the test moves.
class ShowTest : public GlTest {
protected:
    explicit ShowTest(int width = 256, int height = 192) : GlTest(width, height) {}

    void SetUp() override
    {
        GlTest::SetUp();
        SetTickSource(&ticks);
        scene = std::make_unique<Scene>(width, height, 0);
    }
    void TearDown() override
    {
        scene.reset();
        SetTickSource(nullptr);
        GlTest::TearDown();
    }

    // Renders one frame at `seconds` of show time.
    void RenderAt(double seconds)
    {
        ticks.now = static_cast<int64_t>(seconds * 1000.0 + 0.5);
        scene->RenderFrame(0);
        glFinish();
    }

    // The frame's camera, as the Scene sets it before updating the cast.
    void SetFrameCamera()
    {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0.0, 0.0, 5.5, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
        glScalef(1.0f, 1.0f, -1.0f);
        glFrontFace(GL_CW);
    }

    // The camera plus the Director's per-frame lights and material state.
    void BeginFrameState()
    {
        SetFrameCamera();
        currentDirector->BeginFrame();
        const GLfloat lightPosition[] = {100.0f, 100.0f, 0.0f, 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
        glFogi(GL_FOG_MODE, GL_LINEAR);
    }

    StarField* starField() { return static_cast<StarField*>(currentDirector->starField()); }
    PasserActor* passer() { return static_cast<PasserActor*>(currentDirector->passer()); }
    MastActor* mast() { return static_cast<MastActor*>(currentDirector->mast()); }
    CruiserActor* cruiser() { return static_cast<CruiserActor*>(currentDirector->cruiser()); }
    LinkerActor* linker() { return static_cast<LinkerActor*>(currentDirector->linker()); }

    ManualTicks ticks;
    std::unique_ptr<Scene> scene;
};
