// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/shared/dbus_async_call.h"

#include "platform/linux/shared/dbus_reply.h"
#include "platform/linux/shared/desktop_log.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QTimer>

namespace platform {
namespace {

// The bus's own limit for an answer: a later one would never come.
constexpr int kAnswerLimitMs = 25000;

}  // namespace

void CallWithoutWaiting(const QDBusMessage& call, int patienceMs, QObject* context,
                        std::function<void(const QDBusMessage& reply)> answered)
{
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, kAnswerLimitMs), context);
    const QString what = call.service() + QLatin1Char('.') + call.member();
    QTimer::singleShot(patienceMs, watcher, [watcher, what, patienceMs] {
        if (!watcher->isFinished())
            qCWarning(lcDesktop).noquote() << what << "has not answered within" << patienceMs / 1000.0 << "s";
    });
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, answered = std::move(answered)] {
        const QDBusMessage reply = watcher->reply();
        watcher->deleteLater();
        answered(reply);
    });
}

QDBusMessage CallWithEventsRunning(const QDBusMessage& call, int limitMs)
{
    QDBusPendingCallWatcher watcher(QDBusConnection::sessionBus().asyncCall(call, limitMs));
    if (!watcher.isFinished()) {
        // Input stays queued: a dialog opened from here would hold this wait
        // open until it closed.
        QEventLoop wait;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const QDBusMessage reply = watcher.reply();
    if (NoAnswer(reply))
        qCWarning(lcDesktop).noquote() << call.service() + QLatin1Char('.') + call.member() << "has not answered within"
                                       << limitMs / 1000.0 << "s; given up";
    return reply;
}

}  // namespace platform
