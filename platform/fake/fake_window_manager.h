// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window manager that records where it was asked to float the window.

#include "platform/window_manager.h"

#include <utility>
#include <vector>

namespace platform {

class FakeWindowManager : public WindowManager {
public:
    std::vector<std::pair<int, int>> floats;  // (left, top) of each request

    void FloatAt(std::uintptr_t, int left, int top) override { floats.emplace_back(left, top); }
};

}  // namespace platform
