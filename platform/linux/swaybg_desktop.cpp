// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/swaybg_desktop.h"

#include "platform/linux/desktop_log.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

#include <signal.h>

#include <fstream>
#include <iterator>

namespace platform {
namespace {

// Whether `pid` is still a running process showing `copy`: the copy's path in
// its command line guards against a pid the system gave to another program
// since.
bool RunsWith(pid_t pid, const std::string& copy)
{
    if (pid <= 0)
        return false;
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream stat(proc + "/stat");
    std::string fields((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = fields.rfind(')');
    if (close == std::string::npos || close + 2 >= fields.size() || fields[close + 2] == 'Z' ||
        fields[close + 2] == 'X')
        return false;
    std::ifstream cmdline(proc + "/cmdline");
    const std::string args((std::istreambuf_iterator<char>(cmdline)), std::istreambuf_iterator<char>());
    return args.find(copy) != std::string::npos;
}

}  // namespace

SwaybgDesktop::SwaybgDesktop(const Registry& registry, std::string copyDir, std::string program)
    : registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png),
      program_(std::move(program))
{}

std::string SwaybgDesktop::FindSwaybg()
{
    return QStandardPaths::findExecutable(QStringLiteral("swaybg")).toStdString();
}

std::vector<std::string> SwaybgDesktop::Arguments(const std::string& picture, WallpaperMode mode)
{
    // Every output, the picture, the mode, and black around a centred or fitted picture.
    return {"-o", "*", "-i", picture, "-m", DesktopNamesFor(mode).sway, "-c", "#000000"};
}

Desktop::Result SwaybgDesktop::SetWallpaper(const std::string& bmpPath)
{
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;
    QStringList args;
    for (const std::string& a : Arguments(*copy, WallpaperModeOf(registry_)))
        args << QString::fromStdString(a);
    qint64 pid = 0;
    bool runs = QProcess::startDetached(QString::fromStdString(program_), args, QString(), &pid);
    // It reads the picture and asks the compositor for a background surface
    // at once; one that gives up does so within moments.
    for (int waited = 0; runs && waited < kSettleMs; waited += 20) {
        QThread::msleep(20);
        runs = RunsWith(static_cast<pid_t>(pid), *copy);
    }
    if (!runs) {
        if (!told_)
            qCWarning(lcDesktop) << "wallpaper: swaybg" << QString::fromStdString(program_)
                                 << "did not keep running; the compositor may offer no background layer";
        told_ = true;
        copies_.Discard(*copy);
        return Result::NotRunning;
    }
    if (RunsWith(shown_, shownCopy_))
        ::kill(shown_, SIGTERM);
    shown_ = static_cast<pid_t>(pid);
    shownCopy_ = *copy;
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
