#include "platform/offscreen/OffscreenContext.h"

#include <cstdlib>
#include <utility>

#include "platform/offscreen/OffscreenBackend.h"
#include "platform/offscreen/OffscreenRenderer.h"
#include "scene/Gl.h"

namespace {

std::string GlString(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "?";
}

}  // namespace

OffscreenContext::OffscreenContext(std::string renderer) : asked_(std::move(renderer)) {}

OffscreenContext::~OffscreenContext() = default;

bool OffscreenContext::Create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "offscreen size must be positive";
        return false;
    }
    std::string renderer;
    if (!ChooseOffscreenRenderer(asked_, std::getenv(kRendererVariable), renderer, error))
        return false;
#ifdef QUILLMOOR_WITH_OSMESA
    backend_ = renderer == "osmesa" ? MakeOsMesaBackend() : MakeEglBackend(renderer == "software");
#else
    backend_ = MakeEglBackend(renderer == "software");
#endif
    if (!backend_->Create(width, height, error)) {
        error = "offscreen context (" + backend_->Name() + "): " + error;
        backend_.reset();
        return false;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    description_ = backend_->Name() + ": " + GlString(GL_RENDERER) + ", OpenGL " + GlString(GL_VERSION);
    return true;
}

bool OffscreenContext::MakeCurrent()
{
    return backend_ && backend_->MakeCurrent();
}

const std::vector<uint8_t>& OffscreenContext::pixels()
{
    if (backend_)
        backend_->ReadPixels(pixels_);
    return pixels_;
}
