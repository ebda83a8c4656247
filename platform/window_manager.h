// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program asks of a window manager that does not honour its
// window's hints by itself (a tiling compositor): to float the clock's window
// without a title bar, on every workspace, at its place.

#include <cstdint>

namespace platform {

class WindowManager {
public:
    virtual ~WindowManager() = default;
    // Floats the shown window `windowId` (the window system's id; 0 when it
    // has none) at (left, top). The window may not be mapped yet: a backend
    // keeps asking for a moment. A failure is silent.
    virtual void FloatAt(std::uintptr_t windowId, int left, int top) = 0;
};

// For window systems that honour the window's own hints: asks nothing.
inline WindowManager& NoWindowManager()
{
    struct Nothing : WindowManager {
        void FloatAt(std::uintptr_t, int, int) override {}
    };
    static Nothing nothing;
    return nothing;
}

}  // namespace platform
