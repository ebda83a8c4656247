// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A layer surface on the program's own Wayland connection: two shm buffers
// painted in turn, the size and scale the compositor gives, pointer and key
// events from the connection's seat.

#include "platform/layer_shell.h"
#include "platform/linux/wayland/shm_buffer.h"

#include <array>
#include <memory>

struct wl_output;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

namespace platform {

class WaylandConnection;

class WaylandLayerSurface : public LayerSurface {
public:
    WaylandLayerSurface(WaylandConnection& connection, wl_surface* surface, zwlr_layer_shell_v1* shell,
                        wl_output* output, const LayerSurfaceSpec& spec);
    ~WaylandLayerSurface() override;

    bool Configured() const override { return configured_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int Scale() const override { return scale_; }
    bool BeginFrame(PixelFrame& frame) override;
    void EndFrame() override;
    void SetMargins(int left, int top) override;
    void SetLayer(ShellLayer layer) override;
    void SetKeyboard(bool takes) override;
    void OnRedraw(std::function<void()> redraw) override { redraw_ = std::move(redraw); }
    void OnPointer(std::function<void(const LayerPointer&)> pointer) override { pointer_ = std::move(pointer); }
    void OnKey(std::function<void(const LayerKey&)> key) override { key_ = std::move(key); }
    void OnClosed(std::function<void()> closed) override { closed_ = std::move(closed); }

    // From the connection.
    wl_surface* Surface() const { return surface_; }
    void Pointer(const LayerPointer& event) const;
    void Key(const LayerKey& event) const;
    // The connection broke: the compositor has removed the surface.
    void ConnectionLost();
    // The output's scale may have changed.
    void CheckScale();

private:
    static void Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width, uint32_t height);
    static void Closed(void* data, zwlr_layer_surface_v1* layer);
    void AskRedraw();

    WaylandConnection& connection_;
    wl_surface* surface_ = nullptr;
    wl_output* output_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    std::array<std::unique_ptr<ShmBuffer>, 2> buffers_;
    ShmBuffer* painting_ = nullptr;
    bool configured_ = false;
    bool wantsFrame_ = false;  // a frame was refused for want of a free buffer
    bool canSetLayer_ = false;
    bool onDemand_ = false;  // the compositor knows keyboard use on demand
    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;
    std::function<void()> redraw_;
    std::function<void(const LayerPointer&)> pointer_;
    std::function<void(const LayerKey&)> key_;
    std::function<void()> closed_;
};

}  // namespace platform
