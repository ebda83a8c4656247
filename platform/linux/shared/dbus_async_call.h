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

}  // namespace platform
