// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own connection to the Wayland compositor, beside Qt's (which
// may run through Xwayland): the compositor's globals, its outputs and the
// seat's pointer and keyboard, read on the Qt event loop. Makes layer
// surfaces where the compositor offers layer shell.

#include "platform/layer_shell.h"

#include <QObject>

#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_compositor;
struct wl_display;
struct wl_keyboard;
struct wl_output;
struct wl_pointer;
struct wl_registry;
struct wl_seat;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwp_relative_pointer_manager_v1;
struct zwp_relative_pointer_v1;
struct zxdg_output_manager_v1;

namespace platform {

class WaylandLayerSurface;

class WaylandConnection : public QObject, public LayerShell {
public:
    // Connects to the session's compositor (WAYLAND_DISPLAY); nullptr when
    // there is none or it offers no layer shell.
    static std::unique_ptr<WaylandConnection> Connect();
    ~WaylandConnection() override;

    std::vector<OutputArea> Outputs() const override;
    void OnOutputsChanged(std::function<void()> changed) override { outputsChanged_ = std::move(changed); }
    std::unique_ptr<LayerSurface> MakeSurface(const LayerSurfaceSpec& spec) override;

    // For the surfaces.
    wl_display* Display() const { return display_; }
    wl_shm* Shm() const { return shm_; }
    int ScaleOf(wl_output* output) const;
    void Forget(WaylandLayerSurface* surface);

    struct Output;
    struct Seat;

private:
    explicit WaylandConnection(wl_display* display);
    bool Start();
    // Reads what the compositor sent, runs its handlers and sends what was asked.
    void Read();
    void Flush();
    void Broken();
    WaylandLayerSurface* SurfaceOf(wl_surface* surface) const;

    static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    static void GlobalRemove(void* data, wl_registry* registry, uint32_t name);
    void WatchLayout(Output& output);
    static void SeatCapabilities(void* data, wl_seat* seat, uint32_t caps);
    friend struct PointerEvents;
    friend struct KeyboardEvents;
    friend struct OutputEvents;

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    // The outputs' places in the layout (wl_output may say 0,0 for each).
    zxdg_output_manager_v1* xdgOutputs_ = nullptr;
    uint32_t layerShellVersion_ = 0;
    wl_seat* seat_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    zwp_relative_pointer_manager_v1* relativeManager_ = nullptr;
    zwp_relative_pointer_v1* relative_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    WaylandLayerSurface* pointerOn_ = nullptr;
    WaylandLayerSurface* keyboardOn_ = nullptr;
    bool shift_ = false;
    double pointerX_ = 0;
    double pointerY_ = 0;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::vector<WaylandLayerSurface*> surfaces_;
    std::function<void()> outputsChanged_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
