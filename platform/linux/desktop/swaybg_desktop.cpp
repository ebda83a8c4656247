// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/swaybg_desktop.h"

#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/system/process_scan.h"

#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

#include <signal.h>

#include <fstream>

namespace platform {
namespace {

std::string DefaultPidFile()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return {};
    return runtime.toStdString() + "/zelvaro-swaybg-" + DesktopWallpaperCopies::OwnerOfDisplay() + ".pid";
}

}  // namespace

SwaybgDesktop::SwaybgDesktop(const Registry& registry, std::string copyDir, std::string program, std::string pidFile)
    : registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png),
      program_(std::move(program)), pidFile_(pidFile.empty() ? DefaultPidFile() : std::move(pidFile))
{
    // The swaybg an earlier run of the program left showing is this one's to
    // end once it shows another picture.
    std::ifstream in(pidFile_);
    long pid = 0;
    std::string copy;
    if (in >> pid && std::getline(in >> std::ws, copy) && ProcessRunsWith(static_cast<pid_t>(pid), copy)) {
        shown_ = static_cast<pid_t>(pid);
        shownCopy_ = copy;
    }
}

void SwaybgDesktop::WritePidFile() const
{
    if (pidFile_.empty())
        return;
    QSaveFile file(QString::fromStdString(pidFile_));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QByteArray::fromStdString(std::to_string(shown_) + "\n" + shownCopy_ + "\n"));
    file.commit();
}

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
        runs = ProcessRunsWith(static_cast<pid_t>(pid), *copy);
    }
    if (!runs) {
        if (!told_)
            qCWarning(lcDesktop) << "wallpaper: swaybg" << QString::fromStdString(program_)
                                 << "did not keep running; the compositor may offer no background layer";
        told_ = true;
        copies_.Discard(*copy);
        return Result::NotRunning;
    }
    if (ProcessRunsWith(shown_, shownCopy_))
        ::kill(shown_, SIGTERM);
    shown_ = static_cast<pid_t>(pid);
    shownCopy_ = *copy;
    WritePidFile();
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
