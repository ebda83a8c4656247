// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/kde_desktop.h"

#include "base/text_helpers.h"
#include "platform/linux/shared/dbus_async_call.h"
#include "platform/linux/shared/dbus_reply.h"

#include <QDBusMessage>
#include <QString>
#include <QUrl>

namespace platform {
namespace {

// A desktop service that does not answer gives up after this long, so the
// clock never hangs on it.
constexpr int kCallTimeoutMs = 3000;

}  // namespace

KdeDesktop::KdeDesktop(const Registry& registry, std::string copyDir) : registry_(registry), copies_(std::move(copyDir))
{}

std::string KdeDesktop::Script(const std::string& fileUrl, WallpaperMode mode)
{
    return "var all = desktops();\n"
           "for (var i = 0; i < all.length; i++) {\n"
           "  var d = all[i];\n"
           "  d.wallpaperPlugin = \"org.kde.image\";\n"
           "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
           "  d.writeConfig(\"Image\", " +
           QuotedEscaped(fileUrl) +
           ");\n"
           "  d.writeConfig(\"FillMode\", " +
           std::to_string(DesktopNamesFor(mode).kdeFillMode) +
           ");\n"
           "}\n";
}

Desktop::Result KdeDesktop::SetWallpaper(const std::string& bmpPath)
{
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;
    const std::string url = QUrl::fromLocalFile(QString::fromStdString(*copy)).toString().toStdString();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell"),
        QStringLiteral("evaluateScript"));
    call << QString::fromStdString(Script(url, WallpaperModeOf(registry_)));
    const QDBusMessage reply = CallWithEventsRunning(call, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        copies_.Discard(*copy);
        return FailedCallResult(call, reply);
    }
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
