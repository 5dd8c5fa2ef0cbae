#include "bench/ShowSession.h"

#include <chrono>
#include <cmath>

#include "actors/LinkerActor.h"
#include "platform/linux/FontGlyphs.h"
#include "show/Director.h"
#include "scene/FrameClock.h"
#include "scene/Gl.h"
#include "scene/RandomSource.h"
#include "scene/Scene.h"
#include "scene/TextOverlay.h"

namespace {

void ResetShow()
{
    ResetFrameClock();
    ResetShowState();
    SetTickSource(nullptr);
    SetStageWarmUp(true);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

ShowSession::ShowSession(int width, int height, unsigned seed, const std::string& renderer, bool warmUp)
    : width_(width), height_(height), seed_(seed), warmUp_(warmUp), renderer_(renderer), context_(renderer)
{
}

ShowSession::~ShowSession()
{
    if (scene_) {
        context_.MakeCurrent();
        glFinish();
        scene_.reset();
    }
    ResetShow();
}

bool ShowSession::Open(std::string& error)
{
    ResetShow();
    auto start = std::chrono::steady_clock::now();
    if (!context_.Create(width_, height_, error))
        return false;
    contextMs_ = MillisecondsSince(start);
    SetGlyphListBuilder(BuildFontGlyphLists);
    SetSeedOverride(true, seed_);
    SetTickSource(&clock_);
    SetStageWarmUp(warmUp_);
    start = std::chrono::steady_clock::now();
    scene_ = std::make_unique<Scene>(width_, height_, 0);
    glFinish();
    setupMs_ = MillisecondsSince(start);
    return true;
}

void ShowSession::RenderAt(double seconds)
{
    clock_.SetFrame(static_cast<int64_t>(std::llround(seconds * 1000.0)));
    scene_->RenderFrame(0);
}

const LinkerActor* ShowSession::linker() const
{
    return currentDirector ? static_cast<const LinkerActor*>(currentDirector->linker()) : nullptr;
}
