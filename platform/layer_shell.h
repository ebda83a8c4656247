// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Surfaces of the program's own in the compositor's layers (above every
// window, below them, or as the background), where a Wayland compositor
// offers them. The caller paints each frame into memory the compositor
// reads; pointer and key events on the surface come back to it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class ShellLayer { Background, Bottom, Top };

// An output in the compositor's layout, in logical pixels, and the scale its
// buffers are drawn at.
struct OutputArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int scale = 1;
};

// Memory to paint one frame into: premultiplied 32-bit ARGB, native byte
// order, `width` x `height` device pixels (the logical size times the scale).
struct PixelFrame {
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    int scale = 1;
};

struct LayerPointer {
    // Moved: the pointer's own movement (dx, dy), wherever the surface went
    // meanwhile; where the compositor tells it, it comes beside each Motion.
    enum class Kind { Enter, Leave, Motion, Moved, Press, Release };
    enum class Button { None, Left, Right, Middle };
    Kind kind = Kind::Motion;
    Button button = Button::None;
    double x = 0;  // logical pixels from the surface's top left
    double y = 0;
    double dx = 0;
    double dy = 0;
};

struct LayerKey {
    int code = 0;  // the Linux input key code (KEY_F10 is 68)
    bool pressed = false;
    bool shift = false;  // a Shift key is held
};

class LayerSurface {
public:
    virtual ~LayerSurface() = default;
    // Whether the compositor has given the surface its size: frames before
    // that are not shown.
    virtual bool Configured() const = 0;
    // The logical size given, and the output's scale.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual int Scale() const = 0;
    // A free buffer of the size given, to paint into; false while the
    // compositor still reads every buffer (a frame is then asked again when
    // one comes back) or before the size is given.
    virtual bool BeginFrame(PixelFrame& frame) = 0;
    // Shows the frame painted since BeginFrame.
    virtual void EndFrame() = 0;
    // Distances from the output's left and top edges (a surface anchored there).
    virtual void SetMargins(int left, int top) = 0;
    virtual void SetLayer(ShellLayer layer) = 0;
    // Whether a click gives the surface the keyboard (for a surface made with
    // `keyboard`); false also takes the keyboard from it now.
    virtual void SetKeyboard(bool takes) = 0;
    // Called when the surface wants a frame: configured, resized, its scale
    // changed or a buffer came back after a frame was refused.
    virtual void OnRedraw(std::function<void()> redraw) = 0;
    virtual void OnPointer(std::function<void(const LayerPointer&)> pointer) = 0;
    virtual void OnKey(std::function<void(const LayerKey&)> key) = 0;
    // The compositor took the surface away (its output went, or it closed it).
    virtual void OnClosed(std::function<void()> closed) = 0;
};

struct LayerSurfaceSpec {
    int output = 0;  // index in LayerShell::Outputs
    ShellLayer layer = ShellLayer::Top;
    // 0 x 0: anchored to every edge, the output's size; else anchored to the
    // top left at the margins.
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    bool keyboard = false;  // takes the keyboard when clicked
    std::string name;       // the surface's namespace, as the compositor lists it
};

class LayerShell {
public:
    virtual ~LayerShell() = default;
    virtual std::vector<OutputArea> Outputs() const = 0;
    // Called when outputs come or go, or change size or scale.
    virtual void OnOutputsChanged(std::function<void()> changed) = 0;
    // A new surface, or nullptr when the connection has broken.
    virtual std::unique_ptr<LayerSurface> MakeSurface(const LayerSurfaceSpec& spec) = 0;
};

}  // namespace platform
