// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/wayland/wayland_connection.h"

#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/wayland/layer_shell_protocol.h"
#include "platform/linux/wayland/wayland_layer_surface.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <linux/input-event-codes.h>
#include <relative-pointer-unstable-v1-client-protocol.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xdg-output-unstable-v1-client-protocol.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

// An output as its events describe it; `area` holds the values of the last
// "done", `pending` those arriving.
struct WaylandConnection::Output {
    WaylandConnection* connection = nullptr;
    wl_output* output = nullptr;
    zxdg_output_v1* layout = nullptr;
    uint32_t name = 0;
    // The place and logical size the layout gives, where told.
    int layoutX = 0;
    int layoutY = 0;
    int layoutWidth = 0;
    int layoutHeight = 0;
    OutputArea pending;
    OutputArea area;
    bool done = false;
};

namespace {

void Geometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*, const char*,
              int32_t)
{
    auto* output = static_cast<WaylandConnection::Output*>(data);
    output->pending.x = x;
    output->pending.y = y;
}

void Mode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    auto* output = static_cast<WaylandConnection::Output*>(data);
    if (!(flags & WL_OUTPUT_MODE_CURRENT))
        return;
    // Device pixels here; made logical by the scale at "done".
    output->pending.width = width;
    output->pending.height = height;
}

void Scale(void* data, wl_output*, int32_t factor)
{
    static_cast<WaylandConnection::Output*>(data)->pending.scale = std::max(1, factor);
}

void Name(void*, wl_output*, const char*)
{}

void LayoutPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y)
{
    auto* output = static_cast<WaylandConnection::Output*>(data);
    output->layoutX = x;
    output->layoutY = y;
}

void LayoutSize(void* data, zxdg_output_v1*, int32_t width, int32_t height)
{
    auto* output = static_cast<WaylandConnection::Output*>(data);
    output->layoutWidth = width;
    output->layoutHeight = height;
}

void LayoutText(void*, zxdg_output_v1*, const char*)
{}

}  // namespace

struct OutputEvents {
    static void Done(void* data, wl_output*)
    {
        auto* output = static_cast<WaylandConnection::Output*>(data);
        OutputArea area = output->pending;
        if (output->layoutWidth > 0 && output->layoutHeight > 0) {
            area.x = output->layoutX;
            area.y = output->layoutY;
            area.width = output->layoutWidth;
            area.height = output->layoutHeight;
        } else {
            area.width /= area.scale;
            area.height /= area.scale;
        }
        output->area = area;
        output->done = true;
        WaylandConnection* connection = output->connection;
        for (WaylandLayerSurface* surface : connection->surfaces_)
            surface->CheckScale();
        if (connection->outputsChanged_)
            connection->outputsChanged_();
    }
};

// Version 2 ends the layout's values with a "done" of its own, after the output's.
void LayoutDone(void* data, zxdg_output_v1*)
{
    OutputEvents::Done(data, nullptr);
}

struct PointerEvents {
    static WaylandConnection* Of(void* data) { return static_cast<WaylandConnection*>(data); }
    static void Send(WaylandConnection* connection, LayerPointer::Kind kind, double x, double y,
                     LayerPointer::Button button = LayerPointer::Button::None)
    {
        if (connection->pointerOn_)
            connection->pointerOn_->Pointer({kind, button, x, y});
    }
    static void Enter(void* data, wl_pointer*, uint32_t, wl_surface* surface, wl_fixed_t x, wl_fixed_t y)
    {
        WaylandConnection* connection = Of(data);
        connection->pointerOn_ = connection->SurfaceOf(surface);
        connection->pointerX_ = wl_fixed_to_double(x);
        connection->pointerY_ = wl_fixed_to_double(y);
        Send(connection, LayerPointer::Kind::Enter, connection->pointerX_, connection->pointerY_);
    }
    static void Leave(void* data, wl_pointer*, uint32_t, wl_surface*)
    {
        WaylandConnection* connection = Of(data);
        Send(connection, LayerPointer::Kind::Leave, connection->pointerX_, connection->pointerY_);
        connection->pointerOn_ = nullptr;
    }
    static void Motion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y)
    {
        WaylandConnection* connection = Of(data);
        connection->pointerX_ = wl_fixed_to_double(x);
        connection->pointerY_ = wl_fixed_to_double(y);
        Send(connection, LayerPointer::Kind::Motion, connection->pointerX_, connection->pointerY_);
    }
    static void Button(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state)
    {
        WaylandConnection* connection = Of(data);
        LayerPointer::Button which = LayerPointer::Button::None;
        if (button == BTN_LEFT)
            which = LayerPointer::Button::Left;
        else if (button == BTN_RIGHT)
            which = LayerPointer::Button::Right;
        else if (button == BTN_MIDDLE)
            which = LayerPointer::Button::Middle;
        Send(connection,
             state == WL_POINTER_BUTTON_STATE_PRESSED ? LayerPointer::Kind::Press : LayerPointer::Kind::Release,
             connection->pointerX_, connection->pointerY_, which);
    }
    static void Relative(void* data, zwp_relative_pointer_v1*, uint32_t, uint32_t, wl_fixed_t dx, wl_fixed_t dy,
                         wl_fixed_t, wl_fixed_t)
    {
        WaylandConnection* connection = Of(data);
        if (connection->pointerOn_)
            connection->pointerOn_->Pointer({LayerPointer::Kind::Moved, LayerPointer::Button::None,
                                             connection->pointerX_, connection->pointerY_, wl_fixed_to_double(dx),
                                             wl_fixed_to_double(dy)});
    }
    static void Axis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
    static void Frame(void*, wl_pointer*) {}
    static void AxisSource(void*, wl_pointer*, uint32_t) {}
    static void AxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
    static void AxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
};

struct KeyboardEvents {
    static WaylandConnection* Of(void* data) { return static_cast<WaylandConnection*>(data); }
    static void Keymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
    static void Enter(void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array*)
    {
        Of(data)->keyboardOn_ = Of(data)->SurfaceOf(surface);
    }
    static void Leave(void* data, wl_keyboard*, uint32_t, wl_surface*) { Of(data)->keyboardOn_ = nullptr; }
    static void Key(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state)
    {
        WaylandConnection* connection = Of(data);
        if (connection->keyboardOn_)
            connection->keyboardOn_->Key({int(key), state == WL_KEYBOARD_KEY_STATE_PRESSED, connection->shift_});
    }
    static void Modifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t, uint32_t, uint32_t)
    {
        // Shift is the first modifier of every xkb keymap.
        Of(data)->shift_ = (depressed & 1u) != 0;
    }
    static void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
};

std::unique_ptr<WaylandConnection> WaylandConnection::Connect()
{
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (!name || !*name)
        return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        qCInfo(lcDesktop, "no connection to the Wayland compositor %s", name);
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(display));
    if (!connection->Start())
        return nullptr;
    return connection;
}

WaylandConnection::WaylandConnection(wl_display* display) : display_(display)
{}

WaylandConnection::~WaylandConnection()
{
    notifier_.reset();
    for (auto& output : outputs_) {
        if (output->layout)
            zxdg_output_v1_destroy(output->layout);
        wl_output_destroy(output->output);
    }
    if (xdgOutputs_)
        zxdg_output_manager_v1_destroy(xdgOutputs_);
    if (relative_)
        zwp_relative_pointer_v1_destroy(relative_);
    if (relativeManager_)
        zwp_relative_pointer_manager_v1_destroy(relativeManager_);
    if (pointer_)
        wl_pointer_destroy(pointer_);
    if (keyboard_)
        wl_keyboard_destroy(keyboard_);
    if (seat_)
        wl_seat_destroy(seat_);
    if (layerShell_)
        zwlr_layer_shell_v1_destroy(layerShell_);
    if (shm_)
        wl_shm_destroy(shm_);
    if (compositor_)
        wl_compositor_destroy(compositor_);
    if (registry_)
        wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

bool WaylandConnection::Start()
{
    registry_ = wl_display_get_registry(display_);
    static const wl_registry_listener listener = {&WaylandConnection::Global, &WaylandConnection::GlobalRemove};
    wl_registry_add_listener(registry_, &listener, this);
    // The globals, then what the outputs and the seat tell about themselves.
    if (wl_display_roundtrip(display_) < 0 || wl_display_roundtrip(display_) < 0) {
        qCWarning(lcDesktop, "the Wayland compositor broke the connection at start");
        return false;
    }
    if (!compositor_ || !shm_ || !layerShell_) {
        qCInfo(lcDesktop, "the Wayland compositor offers no layer shell: the clock stays a window");
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &WaylandConnection::Read);
    // Whatever the program asked is sent before the event loop sleeps.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &WaylandConnection::Flush);
    return true;
}

void WaylandConnection::Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                               uint32_t version)
{
    auto* self = static_cast<WaylandConnection*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        // Version 4 brings buffer damage; version 3 the buffer scale.
        if (version >= 4)
            self->compositor_ = static_cast<wl_compositor*>(
                wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (std::strcmp(interface, wl_shm_interface.name) == 0) {
        self->shm_ = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        self->layerShell_ = static_cast<zwlr_layer_shell_v1*>(
            wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, std::min<uint32_t>(version, 4)));
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && version >= 2) {
        self->xdgOutputs_ = static_cast<zxdg_output_manager_v1*>(
            wl_registry_bind(registry, name, &zxdg_output_manager_v1_interface, std::min<uint32_t>(version, 3)));
        for (auto& output : self->outputs_)
            self->WatchLayout(*output);
    } else if (std::strcmp(interface, zwp_relative_pointer_manager_v1_interface.name) == 0) {
        // The pointer's movement, told apart from the surface's: a compositor
        // may give a dragged surface's pointer relative to where it was pressed.
        self->relativeManager_ = static_cast<zwp_relative_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_relative_pointer_manager_v1_interface, 1));
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->seat_) {
        self->seat_ = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min<uint32_t>(version, 5)));
        static const wl_seat_listener seatListener = {&WaylandConnection::SeatCapabilities,
                                                      [](void*, wl_seat*, const char*) {}};
        wl_seat_add_listener(self->seat_, &seatListener, self);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0 && version >= 2) {
        auto output = std::make_unique<Output>();
        output->connection = self;
        output->name = name;
        output->output = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, std::min<uint32_t>(version, 4)));
        static const wl_output_listener outputListener = {&Geometry, &Mode, &OutputEvents::Done, &Scale, &Name, &Name};
        wl_output_add_listener(output->output, &outputListener, output.get());
        self->WatchLayout(*output);
        self->outputs_.push_back(std::move(output));
    }
}

void WaylandConnection::GlobalRemove(void* data, wl_registry*, uint32_t name)
{
    auto* self = static_cast<WaylandConnection*>(data);
    auto gone = std::find_if(self->outputs_.begin(), self->outputs_.end(),
                             [name](const std::unique_ptr<Output>& output) { return output->name == name; });
    if (gone == self->outputs_.end())
        return;
    // Its surfaces are closed by the compositor; the output object goes here.
    if ((*gone)->layout)
        zxdg_output_v1_destroy((*gone)->layout);
    wl_output_destroy((*gone)->output);
    self->outputs_.erase(gone);
    if (self->outputsChanged_)
        self->outputsChanged_();
}

void WaylandConnection::WatchLayout(Output& output)
{
    if (!xdgOutputs_ || output.layout)
        return;
    output.layout = zxdg_output_manager_v1_get_xdg_output(xdgOutputs_, output.output);
    // Version 3 ends each change with the output's own "done".
    static const zxdg_output_v1_listener listener = {&LayoutPosition, &LayoutSize, &LayoutDone, &LayoutText,
                                                     &LayoutText};
    zxdg_output_v1_add_listener(output.layout, &listener, &output);
}

void WaylandConnection::SeatCapabilities(void* data, wl_seat* seat, uint32_t caps)
{
    auto* self = static_cast<WaylandConnection*>(data);
    if ((caps & WL_SEAT_CAPABILITY_POINTER) && !self->pointer_) {
        self->pointer_ = wl_seat_get_pointer(seat);
        static const wl_pointer_listener listener = {&PointerEvents::Enter,        &PointerEvents::Leave,
                                                     &PointerEvents::Motion,       &PointerEvents::Button,
                                                     &PointerEvents::Axis,         &PointerEvents::Frame,
                                                     &PointerEvents::AxisSource,   &PointerEvents::AxisStop,
                                                     &PointerEvents::AxisDiscrete, nullptr};
        wl_pointer_add_listener(self->pointer_, &listener, self);
        if (self->relativeManager_) {
            self->relative_ = zwp_relative_pointer_manager_v1_get_relative_pointer(self->relativeManager_,
                                                                                   self->pointer_);
            static const zwp_relative_pointer_v1_listener relativeListener = {&PointerEvents::Relative};
            zwp_relative_pointer_v1_add_listener(self->relative_, &relativeListener, self);
        }
    } else if (!(caps & WL_SEAT_CAPABILITY_POINTER) && self->pointer_) {
        if (self->relative_)
            zwp_relative_pointer_v1_destroy(self->relative_);
        self->relative_ = nullptr;
        wl_pointer_destroy(self->pointer_);
        self->pointer_ = nullptr;
        self->pointerOn_ = nullptr;
    }
    if ((caps & WL_SEAT_CAPABILITY_KEYBOARD) && !self->keyboard_) {
        self->keyboard_ = wl_seat_get_keyboard(seat);
        static const wl_keyboard_listener listener = {&KeyboardEvents::Keymap,    &KeyboardEvents::Enter,
                                                      &KeyboardEvents::Leave,     &KeyboardEvents::Key,
                                                      &KeyboardEvents::Modifiers, &KeyboardEvents::RepeatInfo};
        wl_keyboard_add_listener(self->keyboard_, &listener, self);
    } else if (!(caps & WL_SEAT_CAPABILITY_KEYBOARD) && self->keyboard_) {
        wl_keyboard_destroy(self->keyboard_);
        self->keyboard_ = nullptr;
        self->keyboardOn_ = nullptr;
    }
}

void WaylandConnection::Read()
{
    if (!notifier_)
        return;
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0)
            return Broken();
    }
    if (wl_display_read_events(display_) < 0 || wl_display_dispatch_pending(display_) < 0)
        return Broken();
    Flush();
}

void WaylandConnection::Flush()
{
    if (!notifier_)
        return;
    if (wl_display_dispatch_pending(display_) < 0 || (wl_display_flush(display_) < 0 && errno != EAGAIN))
        Broken();
}

void WaylandConnection::Broken()
{
    // Nothing more comes (the compositor ended or refused a request); the
    // compositor removed the surfaces with the connection.
    const int error = wl_display_get_error(display_);
    qCWarning(lcDesktop, "the connection to the Wayland compositor broke (%s): the clock goes back to a window",
              std::strerror(error ? error : EPIPE));
    notifier_.reset();
    for (WaylandLayerSurface* surface : std::vector<WaylandLayerSurface*>(surfaces_))
        surface->ConnectionLost();
}

std::vector<OutputArea> WaylandConnection::Outputs() const
{
    std::vector<OutputArea> areas;
    for (const auto& output : outputs_)
        if (output->done)
            areas.push_back(output->area);
    return areas;
}

int WaylandConnection::ScaleOf(wl_output* output) const
{
    for (const auto& known : outputs_)
        if (known->output == output)
            return known->area.scale;
    return 1;
}

std::unique_ptr<LayerSurface> WaylandConnection::MakeSurface(const LayerSurfaceSpec& spec)
{
    if (!notifier_)
        return nullptr;
    std::vector<wl_output*> done;
    for (const auto& output : outputs_)
        if (output->done)
            done.push_back(output->output);
    wl_output* output = spec.output >= 0 && spec.output < int(done.size()) ? done[std::size_t(spec.output)] : nullptr;
    auto surface = std::make_unique<WaylandLayerSurface>(*this, wl_compositor_create_surface(compositor_), layerShell_,
                                                         output, spec);
    surfaces_.push_back(surface.get());
    Flush();
    return surface;
}

void WaylandConnection::Forget(WaylandLayerSurface* surface)
{
    surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
    if (pointerOn_ == surface)
        pointerOn_ = nullptr;
    if (keyboardOn_ == surface)
        keyboardOn_ = nullptr;
}

WaylandLayerSurface* WaylandConnection::SurfaceOf(wl_surface* surface) const
{
    for (WaylandLayerSurface* known : surfaces_)
        if (known->Surface() == surface)
            return known;
    return nullptr;
}

}  // namespace platform
