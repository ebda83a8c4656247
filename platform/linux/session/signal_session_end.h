// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Session end over signals: SIGTERM (sent at shut-down and log-off, and by
// `kill`), SIGHUP (the terminal or session went away) and SIGINT. The signal
// handler stops every picture being read and writes a byte to a pipe; the
// handler runs later on the window's thread.

#include "platform/session_end.h"

#include <memory>

class QSocketNotifier;

namespace platform {

class SignalSessionEnd : public SessionEnd {
public:
    SignalSessionEnd();
    ~SignalSessionEnd() override;
    SignalSessionEnd(const SignalSessionEnd&) = delete;
    SignalSessionEnd& operator=(const SignalSessionEnd&) = delete;

    void OnEnd(std::function<void()> handler) override;

private:
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
