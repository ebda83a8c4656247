// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A call to a desktop service on the session bus that never waits for the
// answer: the answer (or the error) is handed over on the event loop. A
// service that has not answered after a while is named in the log, and its
// late answer is still taken (a desktop service can be busy for seconds
// while its session starts).

#include <QDBusMessage>
#include <QObject>

#include <functional>

namespace platform {

// `answered` runs once, on the event loop, unless `context` is gone first;
// the log names the call when it has not answered after `patienceMs`.
void CallWithoutWaiting(const QDBusMessage& call, int patienceMs, QObject* context,
                        std::function<void(const QDBusMessage& reply)> answered);

// For a caller that needs the answer before it goes on (the wallpaper is
// shown, or not): the clock keeps ticking and painting while the service
// thinks, only the user's input waits until the answer is in. A service that
// has not answered within `limitMs` is given up with a line in the log, and
// the call fails as timed out.
QDBusMessage CallWithEventsRunning(const QDBusMessage& call, int limitMs);

}  // namespace platform
