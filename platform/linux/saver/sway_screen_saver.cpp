// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/saver/sway_screen_saver.h"

#include "platform/linux/shared/desktop_log.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <unistd.h>

namespace platform {
namespace {

std::optional<std::string> FindInhibitor(const QJsonObject& node, long long pid)
{
    if (node.value(QStringLiteral("pid")).toInteger(-1) == pid) {
        const QJsonObject inhibitors = node.value(QStringLiteral("idle_inhibitors")).toObject();
        return inhibitors.value(QStringLiteral("user")).toString(QStringLiteral("none")).toStdString();
    }
    for (const char* list : {"nodes", "floating_nodes"})
        for (const QJsonValue& child : node.value(QLatin1String(list)).toArray())
            if (auto found = FindInhibitor(child.toObject(), pid))
                return found;
    return std::nullopt;
}

std::string OwnWindows()
{
    return "[pid=" + std::to_string(::getpid()) + "] ";
}

}  // namespace

SwayScreenSaver::SwayScreenSaver(std::string socketPath) : ipc_(socketPath), events_(socketPath)
{
    events_.OnWindowMapped([this](const SwayWindow& window) { Mapped(window); });
}

std::optional<std::string> SwayScreenSaver::UserInhibitor(const std::string& treeJson, long long pid)
{
    return FindInhibitor(QJsonDocument::fromJson(QByteArray::fromStdString(treeJson)).object(), pid);
}

void SwayScreenSaver::StartNow()
{
    qCWarning(lcDesktop) << "screen saver: sway has no saver to start";
}

bool SwayScreenSaver::IsActive()
{
    if (const auto tree = ipc_.Tree())
        if (const auto inhibitor = UserInhibitor(*tree, ::getpid()))
            active_ = *inhibitor == "none";
    return active_;
}

void SwayScreenSaver::SetActive(bool active)
{
    wanted_ = active;
    if (ipc_.Run(OwnWindows() + (active ? "inhibit_idle none" : "inhibit_idle open")))
        active_ = active;
    else
        qCWarning(lcDesktop) << "screen saver: sway did not take the idle inhibitor on the clock's window";
}

void SwayScreenSaver::Mapped(const SwayWindow& window)
{
    if (wanted_ || window.pid != ::getpid())
        return;
    if (!ipc_.Run(OwnWindows() + "inhibit_idle open"))
        qCWarning(lcDesktop) << "screen saver: sway did not take the idle inhibitor on the clock's window again";
}

}  // namespace platform
