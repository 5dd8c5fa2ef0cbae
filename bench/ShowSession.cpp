#include "bench/ShowSession.h"

#include <cmath>

#include "actors/LinkerActor.h"
#include "platform/linux/FontGlyphs.h"
#include "show/Director.h"
#include "scene/FrameClock.h"
#include "scene/RandomSource.h"
#include "scene/Scene.h"
#include "scene/TextOverlay.h"

namespace {

void ResetShow()
{
    ResetFrameClock();
    ResetShowState();
    SetTickSource(nullptr);
}

}  // namespace

ShowSession::ShowSession(int width, int height, unsigned seed, const std::string& renderer)
    : width_(width), height_(height), seed_(seed), renderer_(renderer), context_(renderer)
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
    if (!context_.Create(width_, height_, error))
        return false;
    SetGlyphListBuilder(BuildFontGlyphLists);
    SetSeedOverride(true, seed_);
    SetTickSource(&clock_);
    scene_ = std::make_unique<Scene>(width_, height_, 0);
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
