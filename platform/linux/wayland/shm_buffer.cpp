// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/wayland/shm_buffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <climits>

namespace platform {

ShmBuffer::ShmBuffer(wl_shm* shm, int width, int height) : width_(width), height_(height)
{
    if (width <= 0 || height <= 0 || width > INT_MAX / 4 / height)
        return;
    size_ = std::size_t(width) * 4 * std::size_t(height);
    const int fd = memfd_create("zelvaro-shm", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return;
    if (ftruncate(fd, static_cast<off_t>(size_)) != 0) {
        close(fd);
        return;
    }
    // The compositor may map the memory while it lives: it can never shrink.
    fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_SEAL);
    void* map = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED) {
        close(fd);
        return;
    }
    pixels_ = static_cast<std::uint8_t*>(map);
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int>(size_));
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, Stride(), WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    static const wl_buffer_listener listener = {&ShmBuffer::Released};
    wl_buffer_add_listener(buffer_, &listener, this);
}

ShmBuffer::~ShmBuffer()
{
    if (buffer_)
        wl_buffer_destroy(buffer_);
    if (pixels_)
        munmap(pixels_, size_);
}

void ShmBuffer::Released(void* data, wl_buffer*)
{
    auto* self = static_cast<ShmBuffer*>(data);
    self->busy_ = false;
    if (self->released_)
        self->released_();
}

}  // namespace platform
