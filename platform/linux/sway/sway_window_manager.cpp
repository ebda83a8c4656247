// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/sway/sway_window_manager.h"

#include "platform/linux/shared/desktop_log.h"

#include <QTimer>

#include <unistd.h>

namespace platform {

SwayWindowManager::SwayWindowManager(std::string socketPath) : ipc_(socketPath), events_(socketPath)
{
    events_.OnWindowMapped([this](const SwayWindow& window) { Mapped(window); });
}

std::string SwayWindowManager::FloatCommand(std::uintptr_t windowId, long long pid, int left, int top)
{
    const std::string criteria = windowId ? "[id=" + std::to_string(windowId) + "]"
                                          : "[pid=" + std::to_string(pid) + "]";
    return criteria + " floating enable, border none, sticky enable, move absolute position " + std::to_string(left) +
           " " + std::to_string(top);
}

void SwayWindowManager::FloatAt(std::uintptr_t windowId, int left, int top)
{
    windowId_ = windowId;
    left_ = left;
    top_ = top;
    ++generation_;
    Try(FloatCommand(windowId, ::getpid(), left, top), kTries);
}

void SwayWindowManager::Mapped(const SwayWindow& window)
{
    if (windowId_ == 0 || window.x11Window != windowId_)
        return;
    ++generation_;
    Try(FloatCommand(windowId_, ::getpid(), left_, top_), kTries);
}

void SwayWindowManager::Try(const std::string& command, int triesLeft)
{
    if (ipc_.Run(command)) {
        return;
    }
    if (triesLeft <= 1) {
        qCWarning(lcDesktop) << "window: sway did not float the clock:" << QString::fromStdString(command);
        return;
    }
    const unsigned generation = generation_;
    QTimer::singleShot(kRetryMs, [this, command, triesLeft, generation] {
        if (generation == generation_)
            Try(command, triesLeft - 1);
    });
}

}  // namespace platform
