// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/session/signal_session_end.h"

#include "image/read_cancel.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace platform {

namespace {

int g_pipe[2] = {-1, -1};

void OnSignal(int)
{
    // A picture being read (a grid of thousands of tiles can take many
    // seconds) stops at once; the window's thread then gets to the end.
    StopEveryRead();
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

SignalSessionEnd::SignalSessionEnd()
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char buffer[16];
        while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {}
        if (handler_)
            handler_();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        sigaction(sig, &action, nullptr);
}

SignalSessionEnd::~SignalSessionEnd()
{
    if (!notifier_)
        return;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        std::signal(sig, SIG_DFL);
    notifier_.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void SignalSessionEnd::OnEnd(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

}  // namespace platform
