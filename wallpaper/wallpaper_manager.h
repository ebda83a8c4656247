#pragma once
// The clock window's wallpaper side: the rotation's run-time state, the
// schedule, ApplyWallPaper, and the handlers of the tick, the panic button,
// the pause item and dropped files. The clock window holds one for the run.

#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/registry.h"
#include "shell/clock_settings.h"
#include "wallpaper/panic_button.h"
#include "wallpaper/wall_applier.h"
#include "wallpaper/wall_converter.h"
#include "wallpaper/wall_rotation.h"
#include "wallpaper/wall_schedule.h"

#include <QObject>

#include <memory>
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
    ~WallpaperManager() override;

    // The program's own services: the registry file, the desktop backend for
    // the running session, the image converter, and the per-user data
    // directory as WindowsDir.
    static std::unique_ptr<WallpaperManager> CreateDefault(ClockSettings& settings, const platform::Clock& clock,
                                                           QObject* parent = nullptr);

    // Start-up, after the settings are read: the first change moment and the
    // pause item (unchecked; enabled while WallChangeSw is on).
    void FormCreate();

    // The pause item "壁紙変更停止" (checkable). The window may hand over its
    // own menu action; until then the manager keeps one of its own.
    QAction* pmnuWallPause() const { return pauseItem_; }
    void SetPauseItem(QAction* item);
    void pmnuWallPauseClick();

    // The tick's wallpaper step: a change when one is due.
    void WallpaperDueStep();

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
    platform::Registry* registry() const { return ownedRegistry_.get(); }
    const platform::Desktop& desktop() const { return desktop_; }

private:
    void BeginBusy() override;
    void EndBusy() override;
    void ProcessPendingEvents() override;
    bool RotationRunning() const;

    ClockSettings& settings_;
    const platform::Clock& clock_;
    platform::Desktop& desktop_;
    std::string windowsDir_;
    WallRotation rotation_;
    WallSchedule schedule_;
    PanicButton panic_;
    WallApplier applier_;
    QAction* pauseItem_ = nullptr;
    // Owned only when made by CreateDefault.
    std::unique_ptr<platform::Registry> ownedRegistry_;
    std::unique_ptr<platform::Desktop> ownedDesktop_;
    std::unique_ptr<WallConverter> ownedConverter_;
};
