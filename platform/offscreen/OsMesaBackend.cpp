// Offscreen rendering with Mesa's OSMesa library, into memory of our own.
// Built only with -DQUILLMOOR_OSMESA=ON (Mesa dropped the library in 25.1);
// it stays to compare pictures and speed with the EGL context.
#include <GL/osmesa.h>

#include <cstring>

#include "platform/offscreen/OffscreenBackend.h"

namespace {

class OsMesaBackend : public OffscreenBackend {
public:
    ~OsMesaBackend() override
    {
        if (!context_)
            return;
        // The library crashes when a context is destroyed with immediate-mode
        // drawing still queued: finish it first.
        if (MakeCurrent())
            glFinish();
        OSMesaDestroyContext(context_);
    }

    std::string Name() const override { return "OSMesa"; }

    bool Create(int width, int height, std::string& error) override
    {
        context_ = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
        if (!context_) {
            error = "cannot create an OSMesa context";
            return false;
        }
        width_ = width;
        height_ = height;
        buffer_.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
        if (!MakeCurrent()) {
            error = "cannot make the OSMesa context current";
            return false;
        }
        // Rows bottom-up, as GL and the EGL context have them.
        OSMesaPixelStore(OSMESA_Y_UP, 1);
        return true;
    }

    bool MakeCurrent() override
    {
        return context_ && OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width_, height_) == GL_TRUE;
    }

    void ReadPixels(std::vector<uint8_t>& pixels) override
    {
        glFinish();
        std::memcpy(pixels.data(), buffer_.data(), buffer_.size());
    }

private:
    OSMesaContext context_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> buffer_;
};

}  // namespace

std::unique_ptr<OffscreenBackend> MakeOsMesaBackend()
{
    return std::make_unique<OsMesaBackend>();
}
