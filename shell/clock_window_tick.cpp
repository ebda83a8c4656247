// SPDX-License-Identifier: GPL-3.0-or-later
// The clock tick: the face, the time signals and the wallpaper due test. The
// tick sleeps until just after the next minute boundary (every 450 ms while a
// due wallpaper minute is failing), and comes at once when the system clock is
// set, the machine resumes, the time zone changes or a command makes a
// wallpaper change due.

#include "base/ui/error_handler.h"
#include "shell/clock_tick.h"
#include "shell/clock_window.h"
#include "shell/tick_schedule.h"
#include "wallpaper/wallpaper_manager.h"

#include <functional>

namespace {

// Switches the tick's timer off while the tick works (a wallpaper change can
// take long and process messages), and plans the next tick on every way out,
// also when a step raised an error (before the error box shows).
class TickInProgress {
public:
    TickInProgress(QTimer& timer, bool& ticking, std::function<void()> planNext)
        : timer_(timer), ticking_(ticking), planNext_(std::move(planNext))
    {
        timer_.stop();
        ticking_ = true;
    }
    ~TickInProgress()
    {
        ticking_ = false;
        planNext_();
    }
    TickInProgress(const TickInProgress&) = delete;
    TickInProgress& operator=(const TickInProgress&) = delete;

private:
    QTimer& timer_;
    bool& ticking_;
    std::function<void()> planNext_;
};

}  // namespace

void TfrmClock::Timer1Timer()
{
    // A clock-set notice that arrives while a wallpaper change processes
    // messages: the tick that runs plans from the new time when it ends.
    if (ticking_)
        return;
    try {
        TickSteps();
    } catch (...) {
        // The tick keeps running while the error box is open; an error that
        // comes again in those ticks is not stacked into a second box.
        if (tickErrorShowing_)
            return;
        tickErrorShowing_ = true;
        ErrorHandler::ShowCurrentException();
        tickErrorShowing_ = false;
    }
}

void TfrmClock::TickSteps()
{
    const TDateTime now = services_.clock.Now();
    TickInProgress inProgress(Timer1, ticking_, [this, now] { PlanNextTick(now); });
    const TickPlan plan = PlanTick(now, lblClock->text().toStdString(), ClockSettings, ChimeArmed,
                                   Wallpaper && Wallpaper->RotationRunning());
    if (plan.newClockText) {
        const QString text = QString::fromStdString(*plan.newClockText);
        lblClock->setText(text);
        setAccessibleDescription(text);
        if (windowState() & Qt::WindowMinimized)
            setWindowTitle(text);
    }
    if (plan.chime)
        PlayChime(*plan.chime);
    if (plan.wallDueTest)
        WallpaperDueStep(now);
    // A dynamic wallpaper shown (by the rotation or by hand) moves on with the day.
    if (Wallpaper)
        Wallpaper->DynamicRedrawStep();
}

void TfrmClock::PlanNextTick(TDateTime tickStarted)
{
    // Planned from the clock after the work: a minute that began during a
    // slow change is shown by a tick that comes at once.
    const TDateTime now = services_.clock.Now();
    const bool retrying = Wallpaper && Wallpaper->RetryingWallMinute(now);
    Timer1.start(NextTickDelayMs(tickStarted, now, retrying));
}

void TfrmClock::ClockWasSet()
{
    if (Wallpaper)
        Wallpaper->TimeChanged();
    if (ticking_ || !SettingsLoaded)
        return;
    Timer1.start(0);
}

void TfrmClock::PlayChime(const std::string& file)
{
    if (!file.empty())
        services_.sound.Play(file, false);
}

void TfrmClock::ReloadSounds()
{
    services_.sound.Preload(SoundsToHold(ClockSettings));
}
