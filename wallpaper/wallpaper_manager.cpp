// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wallpaper_manager.h"

#include "base/text_helpers.h"
#include "base/translatable.h"
#include "base/ui/english_text.h"
#include "base/zelvaro_error.h"
#include "image/views/image_info_box.h"
#include "wallpaper/nothing_to_show.h"
#include "wallpaper/wall_due_step.h"
#include "wallpaper/wall_image.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QStringList>

#include <algorithm>

Q_LOGGING_CATEGORY(lcWallpaper, "zelvaro.wallpaper")

namespace {

std::uint32_t SeedFromTimeOfDay(TDateTime now)
{
    const TimeParts t = DecodeTime(now);
    return static_cast<std::uint32_t>(((t.hour * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond);
}

}  // namespace

WallpaperManager::WallpaperManager(ClockSettings& settings, const platform::Clock& clock, platform::Desktop& desktop,
                                   WallConverter& converter, std::string windowsDir, QObject* parent)
    : QObject(parent), settings_(settings), clock_(clock), desktop_(desktop), converter_(converter),
      windowsDir_(std::move(windowsDir)), rotation_(SeedFromTimeOfDay(clock.Now())),
      applier_(desktop, converter, clock, *this, settings, schedule_, JoinWallPath(windowsDir_, "ZelvaroWl.BMP"))
{
    SetPauseItem(new QAction(tr("壁紙変更停止"), this));
    // Every dynamic wallpaper read, by the rotation or a picker, is shown for this clock's now.
    SetDynamicMomentSource([this] { return DynamicMomentNow(); });
}

WallpaperManager::~WallpaperManager()
{
    SetDynamicMomentSource({});
}

WallpaperManager::WallpaperManager(ClockSettings& settings, const platform::Clock& clock,
                                   const WallpaperServices& services, std::string windowsDir, QObject* parent)
    : WallpaperManager(settings, clock, services.desktop, services.converter, std::move(windowsDir), parent)
{
    memory_ = &services.memory;
    timeZonePlace_ = services.timeZonePlace;
}

void WallpaperManager::FormCreate()
{
    schedule_.Start(clock_.Now(), settings_.StartWallChangeSw);
    pauseItem_->setChecked(false);
    pauseItem_->setEnabled(settings_.WallChangeSw);
}

void WallpaperManager::SetPauseItem(QAction* item)
{
    if (pauseItem_ && pauseItem_->parent() == this && pauseItem_ != item)
        pauseItem_->deleteLater();
    pauseItem_ = item;
    pauseItem_->setCheckable(true);
    // The change moment that passed during the pause moves on to the next
    // time the clock shows its minute.
    connect(pauseItem_, &QAction::toggled, this, [this](bool paused) {
        if (paused)
            return;
        schedule_.Resume(clock_.Now());
        emit ChangeDue();
    });
}

void WallpaperManager::PauseClicked()
{
    if (pauseItem_->isEnabled())
        pauseItem_->toggle();
}

bool WallpaperManager::RotationRunning() const
{
    return settings_.WallChangeSw && pauseItem_->isEnabled() && !pauseItem_->isChecked();
}

bool WallpaperManager::WallpaperDueStep(TDateTime now)
{
    const bool stepped = ::WallpaperDueStep(
        schedule_, rotation_, settings_, RotationRunning(), now, [this](const std::string& file) {
            return applier_.ApplyWallPapers(FilesForMonitors(file), WallApplier::Request::Rotation);
        });
    if (stepped)
        TellBrokenLinks();
    return stepped;
}

void WallpaperManager::TellBrokenLinks()
{
    // A folder whose pictures are all links that lead nowhere is told once,
    // not at every interval, until it shows a picture again or another
    // folder is chosen.
    if (!rotation_.WallFiles.empty() || rotation_.BrokenLinks == 0) {
        brokenLinksTold_.reset();
        return;
    }
    if (brokenLinksTold_ == rotation_.CurWallDir)
        return;
    brokenLinksTold_ = rotation_.CurWallDir;
    ReportFailure(rotation_.CurWallDir, BrokenLinksNotice(rotation_.CurWallDir), true);
}

void WallpaperManager::DynamicRedrawStep()
{
    const std::string playing = converter_.DynamicPlaying();
    if (playing.empty() || !converter_.DynamicRedrawDue(DynamicMomentNow()))
        return;
    applier_.ApplyWallPaper(playing, WallApplier::Request::Redraw);
}

void WallpaperManager::TimeChanged()
{
    zonePlace_.reset();
    converter_.DynamicRedrawSoon();
}

DynamicMoment WallpaperManager::DynamicMomentNow() const
{
    const int offset = clock_.UtcOffsetSeconds();
    if (!zonePlace_)
        zonePlace_ = timeZonePlace_ ? timeZonePlace_->Place() : std::nullopt;
    return MomentAt(clock_.Now(), offset, PlaceForTheSun(settings_.Place, *zonePlace_, offset));
}

bool WallpaperManager::RetryingWallMinute(TDateTime now) const
{
    return RotationRunning() && schedule_.Retrying(now);
}

void WallpaperManager::OptionsConfirmed(bool wallChangeWasOn)
{
    if (!settings_.WallChangeSw) {
        pauseItem_->setEnabled(false);
        return;
    }
    if (!wallChangeWasOn)
        schedule_.ChangeNow(clock_.Now());
    pauseItem_->setEnabled(true);
    pauseItem_->setChecked(false);
    if (!wallChangeWasOn)
        emit ChangeDue();
}

void WallpaperManager::PanicPressed(Qt::MouseButton button)
{
    panic_.MouseDown(button == Qt::RightButton);
}

void WallpaperManager::PanicClicked()
{
    if (!panic_.ClickShowsPanic())
        return;
    RefuseUnsetPanicFile(settings_.PanicWallPaper);
    applier_.ApplyWallPaper(settings_.PanicWallPaper);
}

void WallpaperManager::PanicReleased()
{
    if (panic_.MouseUpTakesStep(RotationRunning()))
        NextRequested();
}

void WallpaperManager::NextRequested()
{
    if (!RotationRunning())
        return;
    std::string file = NextWallFile();
    // Every file failed in this minute: the user asked, so they are tried again.
    if (file.empty() && !rotation_.WallFiles.empty()) {
        rotation_.ForgetFailures();
        file = NextWallFile();
    }
    if (file.empty())
        RefuseEmptyWallFolder(rotation_.CurWallDir, rotation_.BrokenLinks);
    if (applier_.ApplyWallPapers(FilesForMonitors(file), WallApplier::Request::User) == WallApplier::Outcome::Failed)
        rotation_.Failed(file, clock_.Now());
}

std::vector<std::string> WallpaperManager::FilesForMonitors(const std::string& file)
{
    std::vector<std::string> files{file};
    if (!settings_.WallPerMonitorSw)
        return files;
    const std::size_t monitors = converter_.MonitorCount();
    if (monitors < 2)
        return files;
    if (!desktop_.ShowsComposed()) {
        if (!toldOnePicture_)
            qCWarning(lcWallpaper, "the %s desktop shows one picture on every monitor", desktop_.Name().c_str());
        toldOnePicture_ = true;
        return files;
    }
    const std::vector<std::string> more = rotation_.MoreWallFiles(file, monitors - 1);
    files.insert(files.end(), more.begin(), more.end());
    return files;
}

void WallpaperManager::FilesDropped(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    applier_.ApplyWallPaper(QFile::encodeName(paths.constFirst()).toStdString());
}

WallApplier::Outcome WallpaperManager::ApplyWallPaper(const std::string& file)
{
    return applier_.ApplyWallPaper(file);
}

std::string WallpaperManager::NextWallFile()
{
    return rotation_.NextWallFile(settings_, clock_.Now());
}

void WallpaperManager::BeginBusy()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void WallpaperManager::EndBusy()
{
    QGuiApplication::restoreOverrideCursor();
}

void WallpaperManager::ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

void WallpaperManager::ReportFailure(const std::string& file, const WallNotice& notice, bool unattended)
{
    // The log speaks English, whatever the windows speak: it goes into bug reports.
    const std::string english = EnglishText(kMessagesContext, notice.text);
    const std::string said = notice.argument.empty() ? english : FormatMessage1(english, notice.argument);
    const TDateTime now = clock_.Now();
    // The rotation tells a file once a day, in the log and in a box, and of
    // the files failing in one minute only the first gets a box; the user's
    // own choices are told every time.
    if (!notice.logged && (!unattended || rotationNotices_.LogToday(file, now)))
        qCWarning(lcWallpaper, "cannot show %s: %s", ShownEscaped(file).c_str(), said.c_str());
    if (unattended && (rotationNotices_.BoxedToday(file, now) || !rotationNotices_.ShowFailure(now)))
        return;
    // The box waits until the tick or the drop has returned, so the clock
    // keeps its minute and the dragging program its drop while it is open.
    // The rotation's file that is told already is not told again, and one
    // rotation failure waiting is enough: a box left open for hours does not
    // leave one box for every minute behind it.
    if (unattended && (noticeShowing_ == file || std::any_of(waitingNotices_.begin(), waitingNotices_.end(),
                                                             [](const WaitingNotice& w) { return w.unattended; })))
        return;
    if (unattended)
        rotationNotices_.MarkBoxed(file, now);
    waitingNotices_.push_back({file, notice, unattended});
    if (!noticeShowing_)
        QMetaObject::invokeMethod(this, &WallpaperManager::ShowWaitingNotices, Qt::QueuedConnection);
}

void WallpaperManager::ShowWaitingNotices()
{
    if (noticeShowing_)
        return;  // the open box's loop shows the rest after it
    while (!waitingNotices_.empty()) {
        const WaitingNotice next = std::move(waitingNotices_.front());
        waitingNotices_.pop_front();
        noticeShowing_ = next.file;
        struct Closed {
            std::optional<std::string>& showing;
            ~Closed() { showing.reset(); }
        } closed{noticeShowing_};
        // A pattern is translated before its file goes in; the box finds no
        // translation for the whole text and shows it as it is.
        // A reader's words without a file name get the file's name below
        // them, so the user knows which picture to replace.
        const std::string translated =
            QCoreApplication::translate(kMessagesContext, next.notice.text.c_str()).toStdString();
        const std::string text = next.notice.argument.empty() ? translated + "\n" + ShownEscaped(next.file)
                                                              : FormatMessage1(translated, next.notice.argument);
        if (next.notice.information)
            ImageInfoBox::Show(text);
        else
            ImageInfoBox::ShowMessage(text);
    }
}

void WallpaperManager::Log(const std::string& line)
{
    qCWarning(lcWallpaper, "%s", line.c_str());
}

void WallpaperManager::LogFailure(const std::string& file, const std::string& line, bool unattended)
{
    if (!unattended || rotationNotices_.LogToday(file, clock_.Now()))
        Log(line);
}

void WallpaperManager::ReturnFreeMemory()
{
    memory_->ReturnFreeHeap();
}
