// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a failed call to a desktop service on the session bus means for the
// wallpaper: a service that is not there at all lets the next backend try; one
// that is there and failed (or did not answer in time) draws the desktop
// itself, so another backend's picture would not be seen.

#include "platform/desktop.h"

#include <QDBusError>
#include <QDBusMessage>

namespace platform {

inline Desktop::Result FailedCallResult(const QDBusMessage& reply)
{
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected: return Desktop::Result::NotRunning;
    default:
        return reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")
                   ? Desktop::Result::NotRunning
                   : Desktop::Result::Unavailable;
    }
}

// The service is there but gave no answer in time.
inline bool NoAnswer(const QDBusMessage& reply)
{
    const QDBusError::ErrorType type = QDBusError(reply).type();
    return type == QDBusError::NoReply || type == QDBusError::Timeout;
}

}  // namespace platform
