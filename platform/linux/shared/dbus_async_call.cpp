// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/shared/dbus_async_call.h"

#include "platform/linux/shared/desktop_log.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>

namespace platform {

void CallWithoutWaiting(const QDBusMessage& call, int timeoutMs, QObject* context,
                        std::function<void(const QDBusMessage& reply)> answered)
{
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, timeoutMs), context);
    const QString what = call.service() + QLatin1Char('.') + call.member();
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [watcher, what, timeoutMs, answered = std::move(answered)] {
                         const QDBusMessage reply = watcher->reply();
                         const QDBusError::ErrorType error = QDBusError(reply).type();
                         if (error == QDBusError::NoReply || error == QDBusError::Timeout)
                             qCWarning(lcDesktop).noquote()
                                 << what << "did not answer within" << timeoutMs / 1000.0 << "s";
                         watcher->deleteLater();
                         answered(reply);
                     });
}

}  // namespace platform
