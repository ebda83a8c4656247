// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a failed call to a desktop service on the session bus means for the
// wallpaper: a service that is not there at all lets the next backend try; one
// that is there and failed (or did not answer in time) draws the desktop
// itself, so another backend's picture would not be seen.

#include "platform/desktop.h"
#include "platform/linux/shared/desktop_log.h"

#include <QDBusError>
#include <QDBusMessage>

namespace platform {

// The service is there but gave no answer in time.
inline bool NoAnswer(const QDBusMessage& reply)
{
    const QDBusError::ErrorType type = QDBusError(reply).type();
    return type == QDBusError::NoReply || type == QDBusError::Timeout;
}

inline bool ServiceNotThere(const QDBusMessage& reply)
{
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected: return true;
    default: return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner");
    }
}

// The result of `call` that got the error `reply`: NotRunning when the service
// is not there, Unavailable when it did not answer (the wait logged that),
// Failed when it answered with an error, which is logged here, naming the
// call and the service's own words.
inline Desktop::Result FailedCallResult(const QDBusMessage& call, const QDBusMessage& reply)
{
    if (ServiceNotThere(reply))
        return Desktop::Result::NotRunning;
    if (NoAnswer(reply))
        return Desktop::Result::Unavailable;
    qCWarning(lcDesktop).noquote() << "wallpaper:" << call.service() + QLatin1Char('.') + call.member()
                                   << "answered with the error" << reply.errorName() + QLatin1Char(':')
                                   << reply.errorMessage().simplified().left(300);
    return Desktop::Result::Failed;
}

}  // namespace platform
