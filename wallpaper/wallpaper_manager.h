// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window's wallpaper side: the rotation's run-time state, the
// schedule, ApplyWallPaper, and the handlers of the tick, the panic button,
// the pause item and dropped files. The clock window holds one for the run.

#include "base/clock_settings.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/process_memory.h"
#include "platform/registry.h"
#include "wallpaper/failure_notice_rule.h"
#include "wallpaper/panic_button.h"
#include "wallpaper/wall_applier.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wall_rotation.h"
#include "wallpaper/wall_schedule.h"
#include "wallpaper/wallpaper_services.h"

#include <QObject>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>
#include <vector>

class QAction;

class WallpaperManager : public QObject, private WallApplyHost {
    Q_OBJECT
public:
    // `windowsDir` is where TempWallFile ("ZelvaroWl.BMP") is written. The
    // random generator is seeded here, once, from the time of day.
    WallpaperManager(ClockSettings& settings, const platform::Clock& clock, platform::Desktop& desktop,
                     WallConverter& converter, std::string windowsDir, QObject* parent = nullptr);
    WallpaperManager(ClockSettings& settings, const platform::Clock& clock, const WallpaperServices& services,
                     std::string windowsDir, QObject* parent = nullptr);
    ~WallpaperManager() override;

    // Start-up, after the settings are read: the first change moment and the
    // pause item (unchecked; enabled while WallChangeSw is on).
    void FormCreate();

    // The pause item "壁紙変更停止" (checkable). The window may hand over its
    // own menu action; until then the manager keeps one of its own.
    QAction* pmnuWallPause() const { return pauseItem_; }
    void SetPauseItem(QAction* item);
    // The pause item was clicked: the pause toggles while the item is enabled.
    void PauseClicked();

    // The rotation runs: switched on (WallChangeSw) and not paused. The one
    // place this is decided; the tick, the panic button and the retries ask.
    bool RotationRunning() const;

    // The tick's wallpaper step at the tick's time `now`: a change when one
    // is due. True when a step was taken (the state may have changed).
    bool WallpaperDueStep(TDateTime now);
    // True while the due minute's tries are failing and the minute has not
    // ended: the tick then comes again soon to try another file.
    bool RetryingWallMinute(TDateTime now) const;

    // After the options dialog's OK: with WallChangeSw now on, a rotation that
    // was off changes at once (ChangeDue) and a pause ends; with it off the
    // pause item is disabled.
    void OptionsConfirmed(bool wallChangeWasOn);

    // The panic button: pressed with `button`, clicked (the left button:
    // the panic wallpaper), released (after a right press: NextRequested).
    void PanicPressed(Qt::MouseButton button);
    void PanicClicked();
    void PanicReleased();
    // The next rotation step at once, while the rotation runs.
    void NextRequested();

    // The tick's dynamic wallpaper step: the dynamic wallpaper shown is made
    // again when its picture has moved on enough (dynamic_player.h).
    void DynamicRedrawStep();
    // The clock was set, the time zone changed or the machine resumed: the
    // dynamic wallpaper shown is made again at the next tick.
    void TimeChanged();
    // The moment dynamic wallpapers are shown for: now, at the settings'
    // place or the time zone's.
    DynamicMoment DynamicMomentNow() const;
    // Files were dropped on the window: the first one becomes the wallpaper.
    void FilesDropped(const QStringList& paths);

    // Makes a file the wallpaper (see WallApplier).
    WallApplier::Outcome ApplyWallPaper(const std::string& file);
    std::string NextWallFile();

    // Run-time state.
    TDateTime NextWallChange() const { return schedule_.NextWallChange; }
    const std::string& CurWallDir() const { return rotation_.CurWallDir; }
    const std::string& PrevWallDir() const { return rotation_.PrevWallDir; }
    const std::vector<std::string>& WallFiles() const { return rotation_.WallFiles; }
    const std::string& WindowsDir() const { return windowsDir_; }
    const std::string& TempWallFile() const { return applier_.TempWallFile(); }
    bool PanicPressedLeft() const { return panic_.PanicPressedLeft; }
    const platform::Desktop& desktop() const { return desktop_; }

signals:
    // A command made a change due now (the rotation switched on, a pause
    // ended): the tick should come at once rather than at the next minute.
    void ChangeDue();

private:
    void BeginBusy() override;
    void EndBusy() override;
    void ProcessPendingEvents() override;
    void ReportFailure(const std::string& file, const WallNotice& notice, bool unattended) override;
    void Log(const std::string& line) override;
    void LogFailure(const std::string& file, const std::string& line, bool unattended) override;
    void ReturnFreeMemory() override;
    // Shows the notices waiting, one box at a time, once the work that found
    // them (a tick, a drop) has returned.
    void ShowWaitingNotices();
    // The rotation's `file`, and with a picture per monitor on (and a desktop
    // that can show one) the next files of the rotation for the other monitors.
    std::vector<std::string> FilesForMonitors(const std::string& file);
    // Tells of a rotation folder whose pictures are all links that lead nowhere.
    void TellBrokenLinks();

    ClockSettings& settings_;
    const platform::Clock& clock_;
    platform::Desktop& desktop_;
    WallConverter& converter_;
    bool toldOnePicture_ = false;  // the log has said the desktop shows one picture on all
    // Handed the heap's free pages after each wallpaper's work.
    platform::ProcessMemory* memory_ = &platform::KeptProcessMemory();
    // The time zone's place, looked up once until the time zone changes.
    const platform::TimeZonePlace* timeZonePlace_ = nullptr;
    mutable std::optional<std::optional<GeoPlace>> zonePlace_;
    std::string windowsDir_;
    WallRotation rotation_;
    WallSchedule schedule_;
    PanicButton panic_;
    WallApplier applier_;
    FailureNoticeRule rotationNotices_;
    struct WaitingNotice {
        std::string file;
        WallNotice notice;
        bool unattended = false;  // the rotation's, not the user's
    };
    std::deque<WaitingNotice> waitingNotices_;
    std::optional<std::string> noticeShowing_;    // the file of the box that is open
    std::optional<std::string> brokenLinksTold_;  // the folder of broken links told last
    QAction* pauseItem_ = nullptr;
};
