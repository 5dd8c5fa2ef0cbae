#include "platform/offscreen/OffscreenContext.h"

#include <GL/osmesa.h>

struct OffscreenContext::Impl {
    OSMesaContext context = nullptr;
};

OffscreenContext::OffscreenContext() : impl_(new Impl) {}

OffscreenContext::~OffscreenContext()
{
    if (impl_->context) {
        // Mesa's offscreen driver crashes when a context is destroyed with
        // immediate-mode drawing still queued: finish it first.
        if (MakeCurrent())
            glFinish();
        OSMesaDestroyContext(impl_->context);
    }
}

bool OffscreenContext::Create(int width, int height, std::string& error)
{
    if (width <= 0 || height <= 0) {
        error = "offscreen size must be positive";
        return false;
    }
    impl_->context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    if (!impl_->context) {
        error = "cannot create an offscreen GL context (OSMesa)";
        return false;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    if (!MakeCurrent()) {
        error = "cannot make the offscreen GL context current";
        return false;
    }
    OSMesaPixelStore(OSMESA_Y_UP, 1);
    return true;
}

bool OffscreenContext::MakeCurrent()
{
    return impl_->context
        && OSMesaMakeCurrent(impl_->context, pixels_.data(), GL_UNSIGNED_BYTE, width_, height_) == GL_TRUE;
}
