// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One wl_shm buffer in memory of its own (a sealed memfd mapped here): the
// program paints into the mapping, the compositor reads it until it releases
// the buffer.

#include <cstdint>
#include <functional>

struct wl_buffer;
struct wl_shm;

namespace platform {

class ShmBuffer {
public:
    // A width x height ARGB buffer; Valid() is false when the memory or the
    // buffer could not be made.
    ShmBuffer(wl_shm* shm, int width, int height);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    bool Valid() const { return buffer_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return width_ * 4; }
    std::uint8_t* Pixels() const { return pixels_; }
    wl_buffer* Buffer() const { return buffer_; }
    // Attached and not yet released by the compositor.
    bool Busy() const { return busy_; }
    void SetBusy() { busy_ = true; }
    // Called when the compositor gives the buffer back.
    void OnRelease(std::function<void()> released) { released_ = std::move(released); }

private:
    static void Released(void* data, wl_buffer* buffer);

    int width_ = 0;
    int height_ = 0;
    std::uint8_t* pixels_ = nullptr;
    std::size_t size_ = 0;
    wl_buffer* buffer_ = nullptr;
    bool busy_ = false;
    std::function<void()> released_;
};

}  // namespace platform
