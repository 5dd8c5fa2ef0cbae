#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class OffscreenBackend;

// A GL context that renders into memory, with no display: RGBA colour with
// a 24-bit depth buffer, rows bottom-up as GL has them. One context is
// current per thread; making another current replaces it. Which renderer it
// uses is chosen by name (see OffscreenRenderer.h).
class OffscreenContext {
public:
    // `renderer` empty: $QUILLMOOR_RENDERER, else the software renderer.
    explicit OffscreenContext(std::string renderer = "");
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Creates the context and makes it current. False with `error` set when
    // the context cannot be made; the message names the context it tried.
    bool Create(int width, int height, std::string& error);
    bool MakeCurrent();

    int width() const { return width_; }
    int height() const { return height_; }
    // Reads the picture back (finishing what is queued) and returns it: RGBA
    // bytes, row 0 at the bottom. The context must be current.
    const std::vector<uint8_t>& pixels();
    // The context and the GL it gives, once created: "EGL, software device:
    // llvmpipe (...), OpenGL 4.5 (Compatibility Profile) Mesa 22.3.6".
    const std::string& description() const { return description_; }

private:
    std::string asked_;
    std::unique_ptr<OffscreenBackend> backend_;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
    std::string description_;
};
