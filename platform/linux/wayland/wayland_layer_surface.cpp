// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/wayland/wayland_layer_surface.h"

#include "platform/linux/wayland/layer_shell_protocol.h"
#include "platform/linux/wayland/wayland_connection.h"

#include <wayland-client.h>

namespace platform {
namespace {

uint32_t WireLayer(ShellLayer layer)
{
    switch (layer) {
    case ShellLayer::Background: return ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND;
    case ShellLayer::Bottom: return ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
    case ShellLayer::Top: break;
    }
    return ZWLR_LAYER_SHELL_V1_LAYER_TOP;
}

}  // namespace

WaylandLayerSurface::WaylandLayerSurface(WaylandConnection& connection, wl_surface* surface, zwlr_layer_shell_v1* shell,
                                         wl_output* output, const LayerSurfaceSpec& spec)
    : connection_(connection), surface_(surface), output_(output)
{
    wl_surface_set_user_data(surface_, this);
    scale_ = connection_.ScaleOf(output_);
    layer_ = zwlr_layer_shell_v1_get_layer_surface(shell, surface_, output_, WireLayer(spec.layer), spec.name.c_str());
    canSetLayer_ = zwlr_layer_surface_v1_get_version(layer_) >= ZWLR_LAYER_SURFACE_V1_SET_LAYER_SINCE_VERSION;
    static const zwlr_layer_surface_v1_listener listener = {&WaylandLayerSurface::Configure,
                                                            &WaylandLayerSurface::Closed};
    zwlr_layer_surface_v1_add_listener(layer_, &listener, this);
    using Anchor = zwlr_layer_surface_v1_anchor;
    if (spec.width > 0 && spec.height > 0) {
        zwlr_layer_surface_v1_set_size(layer_, uint32_t(spec.width), uint32_t(spec.height));
        zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
        zwlr_layer_surface_v1_set_margin(layer_, spec.top, 0, 0, spec.left);
    } else {
        zwlr_layer_surface_v1_set_size(layer_, 0, 0);
        zwlr_layer_surface_v1_set_anchor(
            layer_, Anchor(ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                           ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT));
        // The background covers the output whatever panels keep free.
        zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
    }
    if (spec.keyboard) {
        // Compositors before version 4 know only "none" and "exclusive";
        // an exclusive clock would take every key, so it gets none there.
        const bool onDemand = zwlr_layer_surface_v1_get_version(layer_) >=
                              ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND_SINCE_VERSION;
        onDemand_ = onDemand;
        if (onDemand)
            zwlr_layer_surface_v1_set_keyboard_interactivity(layer_,
                                                             ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND);
    }
    // The first commit carries no buffer: the compositor answers with the size.
    wl_surface_commit(surface_);
}

WaylandLayerSurface::~WaylandLayerSurface()
{
    connection_.Forget(this);
    if (layer_)
        zwlr_layer_surface_v1_destroy(layer_);
    wl_surface_destroy(surface_);
    buffers_ = {};
    wl_display_flush(connection_.Display());
}

void WaylandLayerSurface::Configure(void* data, zwlr_layer_surface_v1* layer, uint32_t serial, uint32_t width,
                                    uint32_t height)
{
    auto* self = static_cast<WaylandLayerSurface*>(data);
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    const bool changed = !self->configured_ || int(width) != self->width_ || int(height) != self->height_;
    self->configured_ = true;
    self->width_ = int(width);
    self->height_ = int(height);
    // An unchanged configure (sway sends one to every layer surface whenever
    // one of them commits) needs no frame: the next commit carries the answer.
    // Committing at once would make the compositor configure them all again.
    if (changed)
        self->AskRedraw();
}

void WaylandLayerSurface::Closed(void* data, zwlr_layer_surface_v1*)
{
    auto* self = static_cast<WaylandLayerSurface*>(data);
    self->configured_ = false;
    if (self->closed_)
        self->closed_();
}

void WaylandLayerSurface::ConnectionLost()
{
    configured_ = false;
    if (closed_)
        closed_();
}

void WaylandLayerSurface::AskRedraw()
{
    if (redraw_)
        redraw_();
}

void WaylandLayerSurface::CheckScale()
{
    const int scale = connection_.ScaleOf(output_);
    if (scale == scale_)
        return;
    scale_ = scale;
    if (configured_)
        AskRedraw();
}

bool WaylandLayerSurface::BeginFrame(PixelFrame& frame)
{
    if (!configured_ || width_ <= 0 || height_ <= 0)
        return false;
    const int w = width_ * scale_;
    const int h = height_ * scale_;
    for (auto& buffer : buffers_) {
        if (buffer && buffer->Busy())
            continue;
        if (!buffer || buffer->Width() != w || buffer->Height() != h) {
            buffer = std::make_unique<ShmBuffer>(connection_.Shm(), w, h);
            if (!buffer->Valid()) {
                buffer.reset();
                return false;
            }
            buffer->OnRelease([this] {
                if (wantsFrame_) {
                    wantsFrame_ = false;
                    AskRedraw();
                }
            });
        }
        painting_ = buffer.get();
        frame = {buffer->Pixels(), w, h, buffer->Stride(), scale_};
        return true;
    }
    wantsFrame_ = true;
    return false;
}

void WaylandLayerSurface::EndFrame()
{
    if (!painting_)
        return;
    painting_->SetBusy();
    wl_surface_set_buffer_scale(surface_, scale_);
    wl_surface_attach(surface_, painting_->Buffer(), 0, 0);
    wl_surface_damage_buffer(surface_, 0, 0, painting_->Width(), painting_->Height());
    wl_surface_commit(surface_);
    painting_ = nullptr;
    wl_display_flush(connection_.Display());
}

void WaylandLayerSurface::SetMargins(int left, int top)
{
    zwlr_layer_surface_v1_set_margin(layer_, top, 0, 0, left);
    wl_surface_commit(surface_);
    wl_display_flush(connection_.Display());
}

void WaylandLayerSurface::SetLayer(ShellLayer layer)
{
    // A compositor of version 1 cannot move a surface between layers.
    if (!canSetLayer_)
        return;
    zwlr_layer_surface_v1_set_layer(layer_, WireLayer(layer));
    wl_surface_commit(surface_);
    wl_display_flush(connection_.Display());
}

void WaylandLayerSurface::SetKeyboard(bool takes)
{
    if (!onDemand_)
        return;
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer_,
                                                     takes ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_ON_DEMAND
                                                           : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    wl_surface_commit(surface_);
    wl_display_flush(connection_.Display());
}

void WaylandLayerSurface::Pointer(const LayerPointer& event) const
{
    if (pointer_)
        pointer_(event);
}

void WaylandLayerSurface::Key(const LayerKey& event) const
{
    if (key_)
        key_(event);
}

}  // namespace platform
