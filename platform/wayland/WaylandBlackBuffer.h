#pragma once
#include <wayland-client.h>

// A shared-memory buffer of black pixels (XRGB, all zero), for the outputs
// that show no scene: it costs no rendering at all.
class WaylandBlackBuffer {
public:
    WaylandBlackBuffer() = default;
    ~WaylandBlackBuffer() { Release(); }
    WaylandBlackBuffer(const WaylandBlackBuffer&) = delete;
    WaylandBlackBuffer& operator=(const WaylandBlackBuffer&) = delete;

    // A buffer of `width` x `height` pixels in place of the last one; false
    // (and none) when the memory cannot be had.
    bool Create(wl_shm* shm, int width, int height);
    void Release();
    wl_buffer* buffer() const { return buffer_; }

private:
    wl_buffer* buffer_ = nullptr;
};
