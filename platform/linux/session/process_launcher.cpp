// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/session/process_launcher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

bool ProcessLauncher::StartDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    if (program.empty())
        return false;
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    // startDetached reports a program that could not be executed as false.
    return QProcess::startDetached(QString::fromStdString(program), list);
}

bool ProcessLauncher::OpenWithDesktop(const std::string& address)
{
    const QString target = QString::fromStdString(address);
    if (!QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return QProcess::startDetached(QStringLiteral("xdg-open"), {target});
    if (!QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
        return QProcess::startDetached(QStringLiteral("gio"), {QStringLiteral("open"), target});
    return false;
}

}  // namespace platform
