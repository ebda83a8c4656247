// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window's wallpaper side: the rotation's run-time state, the
// schedule, ApplyWallPaper, and the handlers of the tick, the panic button,
// the pause item and dropped files. The clock window holds one for the run.

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/process_memory.h"
#include "platform/registry.h"
#include "base/clock_settings.h"
#include "wallpaper/failure_notice_rule.h"
#include "wallpaper/panic_button.h"
#include "wallpaper/wall_applier.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wall_rotation.h"
#include "wallpaper/wall_schedule.h"
#include "wallpaper/wallpaper_services.h"

#include <QObject>

#include <string>
#include <vector>

class QAction;
class TFileDrag;

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
    void pmnuWallPauseClick();

    // The tick's wallpaper step: a change when one is due. True when a step
    // was taken (the state may have changed).
    bool WallpaperDueStep();
    // True while the due minute's tries are failing and the minute has not
    // ended: the tick then comes again soon to try another file.
    bool RetryingWallMinute() const;

    // After the options dialog's OK: with WallChangeSw now on, a rotation that
    // was off changes at the next tick and a pause ends; with it off the pause
    // item is disabled.
    void OptionsConfirmed(bool wallChangeWasOn);

    // The panic button SpeedButton2.
    void SpeedButton2MouseDown(Qt::MouseButton button);
    void SpeedButton2Click();
    void SpeedButton2MouseUp(Qt::MouseButton button);

    // The drop handler of FileDrag1: the first dropped file becomes the wallpaper.
    void FileDrag1Drop(TFileDrag* sender);

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

private:
    void BeginBusy() override;
    void EndBusy() override;
    void ProcessPendingEvents() override;
    void ReportFailure(const std::string& file, const WallNotice& notice, bool unattended) override;
    void Log(const std::string& line) override;
    void ReturnFreeMemory() override;
    bool RotationRunning() const;

    ClockSettings& settings_;
    const platform::Clock& clock_;
    platform::Desktop& desktop_;
    // Handed the heap's free pages after each wallpaper's work.
    platform::ProcessMemory* memory_ = &platform::KeptProcessMemory();
    std::string windowsDir_;
    WallRotation rotation_;
    WallSchedule schedule_;
    PanicButton panic_;
    WallApplier applier_;
    FailureNoticeRule rotationNotices_;
    QAction* pauseItem_ = nullptr;
};
