// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A call to a desktop service on the session bus that never waits for the
// answer: the answer (or the error) is handed over on the event loop, and a
// service that does not answer in time is logged by name.

#include <QDBusMessage>
#include <QObject>

#include <functional>

namespace platform {

// `answered` runs once, on the event loop, unless `context` is gone first.
void CallWithoutWaiting(const QDBusMessage& call, int timeoutMs, QObject* context,
                        std::function<void(const QDBusMessage& reply)> answered);

}  // namespace platform
