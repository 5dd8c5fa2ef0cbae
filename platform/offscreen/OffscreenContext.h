#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A GL context that renders into memory, with no display: RGBA colour with
// a 24-bit depth buffer, rows bottom-up as GL has them. One context is
// current per thread; making another current replaces it.
class OffscreenContext {
public:
    OffscreenContext();
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Creates the context and makes it current. False with `error` set when
    // the context cannot be made.
    bool Create(int width, int height, std::string& error);
    bool MakeCurrent();

    int width() const { return width_; }
    int height() const { return height_; }
    // RGBA bytes, row 0 at the bottom; complete after glFinish.
    const std::vector<uint8_t>& pixels() const { return pixels_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
};
