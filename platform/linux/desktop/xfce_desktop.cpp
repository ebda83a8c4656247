// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/xfce_desktop.h"

#include "platform/linux/desktop/x11_monitors.h"
#include "platform/linux/shared/dbus_async_call.h"
#include "platform/linux/shared/dbus_reply.h"
#include "platform/wallpaper_mode.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace platform {
namespace {

constexpr int kCallTimeoutMs = 3000;
const QString kService = QStringLiteral("org.xfce.Xfconf");
const QString kPath = QStringLiteral("/org/xfce/Xfconf");
const QString kInterface = QStringLiteral("org.xfce.Xfconf");
const QString kChannel = QStringLiteral("xfce4-desktop");

QDBusMessage Call(const QString& method, const QVariantList& args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(args);
    return CallWithEventsRunning(call, kCallTimeoutMs);
}

// The "last-image" properties of every monitor and workspace: those the
// channel holds, and those XFCE 4.18 reads for the connected outputs (by
// their XRandR names) on each workspace, which a fresh profile lacks. Nothing
// when xfconfd is not there or does not answer: each further call would wait
// as long again.
std::optional<QStringList> ImageProperties(Desktop::Result& failure)
{
    QStringList found;
    const QDBusMessage reply = Call(QStringLiteral("GetAllProperties"), {kChannel, QStringLiteral("/backdrop")});
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        QVariantMap all;
        const QVariant v = reply.arguments().constFirst();
        if (v.canConvert<QDBusArgument>())
            v.value<QDBusArgument>() >> all;
        else
            all = v.toMap();
        for (auto it = all.cbegin(); it != all.cend(); ++it)
            if (it.key().endsWith(QStringLiteral("/last-image")))
                found << it.key();
    } else if (reply.type() == QDBusMessage::ErrorMessage && (NoAnswer(reply) || ServiceNotThere(reply))) {
        failure = NoAnswer(reply) ? Desktop::Result::Unavailable : Desktop::Result::NotRunning;
        return std::nullopt;
    }
    const int workspaces = X11WorkspaceCount();
    for (const std::string& output : X11ConnectedOutputs())
        for (int n = 0; n < workspaces; ++n)
            found << QStringLiteral("/backdrop/screen0/monitor%1/workspace%2/last-image")
                         .arg(QString::fromStdString(output))
                         .arg(n);
    found.removeDuplicates();
    if (found.isEmpty())  // nothing known: the first monitor's first workspace
        found << QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image");
    return found;
}

Desktop::Result SetProperty(const QString& property, const QVariant& value)
{
    const QDBusMessage reply = Call(QStringLiteral("SetProperty"),
                                    {kChannel, property, QVariant::fromValue(QDBusVariant(value))});
    return reply.type() == QDBusMessage::ReplyMessage
               ? Desktop::Result::Done
               : FailedCallResult(
                     QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetProperty")), reply);
}

}  // namespace

XfceDesktop::XfceDesktop(const Registry& registry, std::string copyDir)
    : registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png)
{}

Desktop::Result XfceDesktop::SetWallpaper(const std::string& bmpPath)
{
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;
    const int style = DesktopNamesFor(ShownMode(registry_)).xfceImageStyle;
    const std::optional<QStringList> images = ImageProperties(failure);
    Result result = images ? Result::Done : failure;
    // The first failed call ends it: the copy is taken back below, so no
    // further property may name it.
    for (const QString& image : images.value_or(QStringList())) {
        QString styleProperty = image;
        styleProperty.replace(QStringLiteral("/last-image"), QStringLiteral("/image-style"));
        result = SetProperty(styleProperty, style);
        if (result == Result::Done)
            result = SetProperty(image, QString::fromStdString(*copy));
        if (result != Result::Done)
            break;
    }
    if (result != Result::Done) {
        copies_.Discard(*copy);
        return result;
    }
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
