#include "platform/wayland/WaylandBlackBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

bool WaylandBlackBuffer::Create(wl_shm* shm, int width, int height)
{
    Release();
    if (!shm || width <= 0 || height <= 0 || width > 32768)
        return false;
    const int32_t stride = width * 4;
    const int64_t size = static_cast<int64_t>(stride) * height;
    if (size > INT32_MAX)
        return false;
    // A new file reads as zeros: black, without touching a byte of it.
    const int fd = memfd_create("quillmoor-black", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    if (ftruncate(fd, size) != 0) {
        close(fd);
        return false;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size));
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer_ != nullptr;
}

void WaylandBlackBuffer::Release()
{
    if (buffer_)
        wl_buffer_destroy(buffer_);
    buffer_ = nullptr;
}
