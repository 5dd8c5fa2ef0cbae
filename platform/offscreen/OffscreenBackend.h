#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One way of rendering offscreen (EGL, or OSMesa when built in), behind
// OffscreenContext: RGBA with a 24-bit depth buffer and one colour buffer.
class OffscreenBackend {
public:
    virtual ~OffscreenBackend() = default;
    // Makes the context and makes it current; false with `error` set.
    virtual bool Create(int width, int height, std::string& error) = 0;
    virtual bool MakeCurrent() = 0;
    // The finished picture as bottom-up RGBA rows into `pixels`, which holds
    // width * height * 4 bytes. The context is current.
    virtual void ReadPixels(std::vector<uint8_t>& pixels) = 0;
    // Which context this is, as messages name it: "EGL, software device".
    virtual std::string Name() const = 0;
};

// `softwareDevice`: Mesa's software device rather than EGL's first choice.
std::unique_ptr<OffscreenBackend> MakeEglBackend(bool softwareDevice);
#ifdef QUILLMOOR_WITH_OSMESA
std::unique_ptr<OffscreenBackend> MakeOsMesaBackend();
#endif
